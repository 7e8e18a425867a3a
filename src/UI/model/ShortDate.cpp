#include "UI/model/ShortDate.h"

namespace zelvora {

std::string WidenShortDateYear(std::string_view pattern) {
  std::string out;
  bool quoted = false;
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    if (c == '\'') quoted = !quoted;
    if (!quoted && c == 'y') {
      while (i < pattern.size() && pattern[i] == 'y') ++i;
      out += "yyyy";
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace zelvora

#include "base/DateTime.h"

namespace zelvora {
namespace {

constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};

std::string& Pattern() {
  static std::string pattern = "M/d/yyyy";
  return pattern;
}

std::string TwoDigits(int n) {
  n = ((n % 100) + 100) % 100;
  return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

}  // namespace

void SetShortDatePattern(std::string pattern) { Pattern() = std::move(pattern); }
const std::string& ShortDatePattern() { return Pattern(); }

std::string ShortDateText(double date) { return FormatDatePattern(date, Pattern()); }

std::string FormatDatePattern(double date, std::string_view pattern) {
  const CivilDate d = DecodeDate(date);
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    if (c == '\'') {
      std::size_t j = i + 1;
      if (j < pattern.size() && pattern[j] == '\'') {
        out += '\'';
        i = j + 1;
        continue;
      }
      while (j < pattern.size() && pattern[j] != '\'') out += pattern[j++];
      i = j + 1;
      continue;
    }
    std::size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c) ++run;
    if (c == 'd' && run <= 2) {
      out += run == 1 ? std::to_string(d.day) : TwoDigits(d.day);
    } else if (c == 'M' && run <= 4) {
      const std::string name = kMonthNames[d.month - 1];
      out += run == 1   ? std::to_string(d.month)
             : run == 2 ? TwoDigits(d.month)
             : run == 3 ? name.substr(0, 3)
                        : name;
    } else if (c == 'y' && (run == 2 || run == 4)) {
      out += run == 2 ? TwoDigits(d.year) : std::to_string(d.year);
    } else {
      out.append(pattern.substr(i, run));
    }
    i += run;
  }
  return out;
}

}  // namespace zelvora
