// TDateEntryDialog: "Enter Date", one date typed as "mm/dd/yyyy" with the
// date written out beside it ("Friday March 15, 2024").
//
// Space, "-", "." and ";" count as "/" while typing, so "3 15 2024" is read
// as 3/15/2024; a two-part date takes the current year, and a two-digit year
// the century that puts it nearest to today. Leaving the field with a date
// that cannot be read shows "Invalid Date\r\nPlease reenter" and keeps the
// user in the field. The time of day of the initial value is kept; Cancel
// gives the initial value back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "UI/model/DialogModel.h"

namespace zelvora {

class TUserInterface;

class TDateEntryDialog : public TDialogModel {
 public:
  static constexpr const char* kInvalidDate = "Invalid Date\r\nPlease reenter";

  TDateEntryDialog(std::string caption, std::string prompt, std::string ok_caption,
                   std::string cancel_caption = "&Cancel");

  std::string Caption() const override { return caption_; }
  // HelpLabel.
  const std::string& Prompt() const { return prompt_; }
  const std::string& OkCaption() const { return ok_caption_; }
  const std::string& CancelCaption() const { return cancel_caption_; }

  // The initial date; without one the field starts empty.
  void SetDate(std::optional<double> date);
  const std::optional<double>& InitialDate() const { return initial_; }

  // DateEdit.
  std::string DateText;
  // DisplayPanel: the date written out, "" while it cannot be read.
  std::string DisplayText() const;
  // The date typed (with the initial time of day), if it can be read.
  std::optional<double> EnteredDate() const;
  // Leaving the field: false, after the error box, when it cannot be read.
  bool Leave(TUserInterface& ui);

  // Shows the dialog until it is cancelled or closed with a readable date.
  // The entered date on OK; nothing on Cancel (the initial date stands).
  std::optional<double> Execute(TUserInterface& ui);

  // The date of `text` at midnight, or nothing.
  static std::optional<double> ParseDate(std::string_view text);
  // "mm/dd/yyyy".
  static std::string FormatShort(double date);
  // "dddd mmmm d, yyyy".
  static std::string FormatLong(double date);

 private:
  std::string caption_;
  std::string prompt_;
  std::string ok_caption_;
  std::string cancel_caption_;
  std::optional<double> initial_;
};

}  // namespace zelvora
