#include "report/GapFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/Rounding.h"

namespace zelvora {

namespace {

constexpr int kFieldWidth = 5;
constexpr double kUnreadableRank = 99.0;
constexpr std::size_t kRankNumberChars = 5;

std::string PadLeft(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace

std::int64_t MilliToHundredths(std::int64_t milli) { return DivRoundHalfEven(milli, 10); }

std::string FormatHundredths(std::int64_t hundredths) {
  const bool negative = hundredths < 0;
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(hundredths)
                                           : static_cast<std::uint64_t>(hundredths);
  char digits[32];
  std::snprintf(digits, sizeof digits, "%s%llu.%02llu", negative ? "-" : "",
                static_cast<unsigned long long>(magnitude / 100),
                static_cast<unsigned long long>(magnitude % 100));
  return PadLeft(digits, kFieldWidth);
}

std::string FormatNotAvailable() { return PadLeft("N/A ", kFieldWidth); }

std::string FormatAverage(std::int32_t average_milli) {
  if (average_milli < 0) return FormatNotAvailable();
  return FormatHundredths(MilliToHundredths(average_milli));
}

std::string FormatSignedAverage(std::int32_t average_milli) {
  return FormatHundredths(MilliToHundredths(average_milli));
}

std::string FormatCount(std::int64_t count) { return std::to_string(count); }

std::string FormatBox(std::int64_t count) {
  return count == 0 ? std::string() : FormatCount(count);
}

std::string FormatShortest(std::int64_t hundredths) {
  std::string text = FormatHundredths(hundredths);
  const std::size_t first = text.find_first_not_of(' ');
  text.erase(0, first);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text;
}

std::vector<std::string> AxisLabels() {
  // Ticks at quarter steps of the full bar, which stands for a gap of 2.
  std::vector<std::string> labels;
  for (int tick = 0; tick <= 4; ++tick) labels.push_back(FormatShortest(tick * 50));
  return labels;
}

std::string FormatRankingText(std::int64_t hundredths, int question_index, bool check) {
  char tail[32];
  std::snprintf(tail, sizeof tail, " %3d %-5s", question_index, check ? kGapCheckTag : "");
  return FormatHundredths(hundredths) + tail;
}

double ReadRankingNumber(std::string_view text) {
  std::string_view number = text.substr(0, kRankNumberChars);
  while (!number.empty() && number.front() == ' ') number.remove_prefix(1);
  while (!number.empty() && number.back() == ' ') number.remove_suffix(1);
  if (number.empty()) return kUnreadableRank;
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
    return kUnreadableRank;
  }
  return value;
}

std::string ComparativeVerdict(std::int32_t average_milli) {
  if (average_milli < 0) return kVerdictExamine;
  if (average_milli <= 799) return kVerdictEffective;
  if (average_milli <= 1009) return kVerdictExamine;
  return kVerdictDevelop;
}

std::string SuggestionLetter(std::size_t position) {
  std::string letters;
  std::size_t n = position + 1;
  while (n > 0) {
    --n;
    letters.insert(letters.begin(), static_cast<char>('a' + n % 26));
    n /= 26;
  }
  return letters + ")";
}

}  // namespace zelvora
