#include "UI/model/DateDlg.h"

#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "UI/model/UserInterface.h"
#include "base/DateTime.h"

namespace zelvora {
namespace {

constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};
// Day 0 of the day count, 1899-12-30, was a Saturday.
constexpr const char* kDayNames[] = {"Saturday",  "Sunday",   "Monday", "Tuesday",
                                     "Wednesday", "Thursday", "Friday"};

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// The numbers of the text split at "/" (and the characters that count as
// one); nothing when a part is no number of at most four digits.
std::optional<std::vector<int>> Parts(std::string_view text) {
  std::vector<int> parts;
  std::string digits;
  auto flush = [&]() -> bool {
    if (digits.empty()) return true;
    if (digits.size() > 4) return false;
    parts.push_back(std::stoi(digits));
    digits.clear();
    return true;
  };
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      digits += c;
    } else if (c == '/' || c == ' ' || c == '-' || c == '.' || c == ';') {
      if (!flush()) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  if (!flush()) return std::nullopt;
  return parts;
}

}  // namespace

TDateEntryDialog::TDateEntryDialog(std::string caption, std::string prompt, std::string ok_caption,
                                   std::string cancel_caption)
    : caption_(std::move(caption)),
      prompt_(std::move(prompt)),
      ok_caption_(std::move(ok_caption)),
      cancel_caption_(std::move(cancel_caption)) {}

void TDateEntryDialog::SetDate(std::optional<double> date) {
  initial_ = date;
  DateText = date ? FormatShort(*date) : std::string();
}

std::string TDateEntryDialog::DisplayText() const {
  const auto date = ParseDate(DateText);
  return date ? FormatLong(*date) : std::string();
}

std::optional<double> TDateEntryDialog::EnteredDate() const {
  auto date = ParseDate(DateText);
  if (!date) return std::nullopt;
  if (initial_) *date += *initial_ - std::floor(*initial_);
  return date;
}

bool TDateEntryDialog::Leave(TUserInterface& ui) {
  if (EnteredDate()) return true;
  ui.ShowError(kInvalidDate);
  return false;
}

std::optional<double> TDateEntryDialog::Execute(TUserInterface& ui) {
  for (;;) {
    if (!ui.ShowDateDialog(*this)) {
      SetDate(initial_);
      return std::nullopt;
    }
    if (Leave(ui)) return EnteredDate();
  }
}

std::optional<double> TDateEntryDialog::ParseDate(std::string_view text) {
  const auto parts = Parts(text);
  if (!parts || parts->size() < 2 || parts->size() > 3) return std::nullopt;
  const CivilDate today = DecodeDate(Today());
  const int month = (*parts)[0];
  const int day = (*parts)[1];
  int year = parts->size() == 3 ? (*parts)[2] : today.year;
  if (parts->size() == 3 && year < 100) {
    // The century that puts the year within fifty years of today.
    year += today.year / 100 * 100;
    if (year > today.year + 50) year -= 100;
    if (year <= today.year - 50) year += 100;
  }
  if (year < 1 || year > 9999 || month < 1 || month > 12) return std::nullopt;
  if (day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  return EncodeDate(year, month, day);
}

std::string TDateEntryDialog::FormatShort(double date) {
  const CivilDate d = DecodeDate(date);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.month, d.day, d.year);
  return buf;
}

std::string TDateEntryDialog::FormatLong(double date) {
  const CivilDate d = DecodeDate(date);
  const auto days = static_cast<long long>(std::floor(date));
  const auto weekday = static_cast<std::size_t>(((days % 7) + 7) % 7);
  return std::string(kDayNames[weekday]) + " " + kMonthNames[d.month - 1] + " " +
         std::to_string(d.day) + ", " + std::to_string(d.year);
}

}  // namespace zelvora
