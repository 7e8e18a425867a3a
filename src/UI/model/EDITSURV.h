// TNewEditSurveyForm: the survey dialog: name, author and the five frequency
// labels (at most 25 characters each).
//
// New: name and author empty, the labels "Almost Never" to "Always"; the
// accept button stays disabled until something changes and is then enabled
// while the name, the author and all five labels are non-empty. Edit: the
// survey's values, the same rule without waiting for a change. Show: all
// fields disabled, only "&Done".
#pragma once

#include <array>
#include <string>

#include "UI/model/DialogModel.h"

namespace zelvora {

class TSurvey;
class TUserInterface;

class TNewEditSurveyForm : public TDialogModel {
 public:
  static constexpr std::size_t kLabelMaxChars = 25;

  // Edit and View take the values from `survey`.
  TNewEditSurveyForm(TEditMode mode, const TSurvey* survey = nullptr);

  std::string Caption() const override;
  TEditMode Mode() const { return mode_; }
  bool ReadOnly() const { return mode_ == TEditMode::View; }
  std::string AcceptCaption() const;
  std::string CancelCaption() const { return ReadOnly() ? "&Done" : "&Cancel"; }

  const std::string& SurveyName() const { return name_; }
  const std::string& SurveyAuthor() const { return author_; }
  // Label 1 to 5.
  const std::string& Label(int index) const;
  // What the user types; labels are cut to 25 characters as the field does.
  void SetSurveyName(const std::string& text);
  void SetSurveyAuthor(const std::string& text);
  void SetLabel(int index, const std::string& text);

  bool AcceptEnabled() const;
  bool Execute(TUserInterface& ui);
  // Stores name, author and labels (trimmed) into the survey.
  void StoreInto(TSurvey& survey) const;

 private:
  TEditMode mode_;
  std::string name_;
  std::string author_;
  std::array<std::string, 5> labels_;
  bool changed_ = false;
};

}  // namespace zelvora
