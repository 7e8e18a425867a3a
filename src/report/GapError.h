// Failures of the gap arithmetic. Each carries the text the report generator
// leaves in its error message and shows when a run produced no output.
#pragma once

#include <stdexcept>
#include <string>

namespace zelvora {

class EGapError : public std::runtime_error {
 public:
  explicit EGapError(const std::string& message) : std::runtime_error(message) {}
};

// The messages, exactly as the user sees them.
inline constexpr const char* kGapNoScores = "No scores have been entered";
inline constexpr const char* kGapNoData = "No data found to process";
inline constexpr const char* kGapNoCommonRaters = "Unable to get common raters to compare";
inline constexpr const char* kGapTooManyQuestions = "Too many Questions";
inline constexpr const char* kGapNoMemory = "Not enough memory to continue";

}  // namespace zelvora
