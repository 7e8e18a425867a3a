// The printed forms of the gap arithmetic's numbers. Every report section
// prints through these, so a number reads the same on every page.
//
// Averages are kept in thousandths (cell 11 of a tally); printing them with
// two decimals rounds the exact value to the nearest hundredth, ties to even
// (1.005 prints "1.00", 1.015 prints "1.02"), and never shows "-0.00".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

// "%5.2f" of hundredths: 125 gives " 1.25", -150 gives "-1.50".
std::string FormatHundredths(std::int64_t hundredths);
// Thousandths rounded to hundredths (ties to even).
std::int64_t MilliToHundredths(std::int64_t milli);

// The average of a tally row: "%5.2f", or, for a negative average (a row
// whose pairs are all negative), "N/A " in a field of 5: " N/A ".
std::string FormatAverage(std::int32_t average_milli);
// "%5.2f" even for a negative average (the organizational tables).
std::string FormatSignedAverage(std::int32_t average_milli);
// "N/A " formatted with "%5.5s".
std::string FormatNotAvailable();

// N and the distribution counts: decimal integers.
std::string FormatCount(std::int64_t count);
// A distribution box: the count, or empty when it is 0.
std::string FormatBox(std::int64_t count);

// A number of hundredths in its shortest decimal form: 0, 0.5, 1, 1.25, -2.
std::string FormatShortest(std::int64_t hundredths);
// The five tick labels under the average-gap bar: "0", "0.5", "1", "1.5", "2".
std::vector<std::string> AxisLabels();

// A ranking entry's text, "%5.2f %3d %-5s": the average, the zero-based
// question index and the check tag ("Check" or empty).
std::string FormatRankingText(std::int64_t hundredths, int question_index, bool check);
// The number in characters 1..5 of a ranking text, blanks trimmed; 99 when
// it does not read as a number.
double ReadRankingNumber(std::string_view text);

inline constexpr const char* kGapCheckTag = "Check";
inline constexpr const char* kVerdictEffective = "Effective";
inline constexpr const char* kVerdictExamine = "Examine";
inline constexpr const char* kVerdictDevelop = "Develop";

// The comparative verdict on the current average (thousandths): negative
// "Examine", up to 799 "Effective", up to 1009 "Examine", above "Develop".
std::string ComparativeVerdict(std::int32_t average_milli);

// "a)", "b)", ... "z)", then "aa)", "ab)", ... for the zero-based position.
std::string SuggestionLetter(std::size_t position);

}  // namespace zelvora
