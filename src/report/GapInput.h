// The plain data the gap arithmetic works on: score sheets with their answer
// buffers, experiences, the survey's skill areas and questions, and a
// company's rater-category table. GapModel fills these from the object model;
// tests and benchmarks build them directly.
//
// Callers may rely on:
//  - A sheet yields a gap for a question only when both answers are on the
//    five-step scale (1..5); anything else, including bytes past the end of
//    the buffer, counts as not answered.
//  - Question indexes are zero-based positions in the survey's flattened
//    question list; the question number printed is index + 1.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvora {

// A rater category: its name and its number in the company's table.
struct TGapCategory {
  std::string Name;
  int Number = 0;

  bool operator==(const TGapCategory&) const = default;
};

// Categories in the order of the company's table (or of a report's list).
using TGapCategoryList = std::vector<TGapCategory>;

// The category number of the subject's own sheets.
inline constexpr int kSelfCategory = 0;

struct TGapSheet {
  int RaterCategory = 0;
  bool Completed = false;
  // Answers per question in the buffer; answer 1 is current performance,
  // answer 2 the expectation.
  int AnsPerQ = 2;
  // The answer buffer: answer a of question number q at AnsPerQ*(q-1)+(a-1).
  std::vector<std::int8_t> Answers;

  // Answer a (1-based) of the question at zero-based index; 0 when the slot
  // lies outside the buffer.
  int Answer(int answer, int question_index) const;
  // Expectation minus current performance, or nothing when the pair is not
  // complete.
  std::optional<int> Gap(int question_index) const;
  // Sets both answers of a question (grows the buffer when needed).
  void SetPair(int question_index, int current, int expected);
};

// One administration of a survey to a subject, with its raters' sheets.
struct TGapExperience {
  std::string SubjectName;
  std::string DepartmentName;
  double ExperienceDate = 0.0;
  std::vector<TGapSheet> Sheets;

  bool HasCompletedSheet() const;
};

struct TGapQuestion {
  std::string Text;
  int SkillArea = 0;  // index into TGapSurvey::SkillAreas
  std::vector<std::string> Suggestions;
};

struct TGapSkillArea {
  std::string Name;
  // Stem shown before the questions for other raters; heads the area in the
  // practices listing.
  std::string QuestPrefix3 = "How often does this person";
  std::vector<int> Questions;  // zero-based indexes, in survey order
};

struct TGapSurvey {
  std::string Name;
  bool HasCompletedSheets = false;
  std::vector<TGapSkillArea> SkillAreas;
  std::vector<TGapQuestion> Questions;  // the flattened list

  int QuestionCount() const { return static_cast<int>(Questions.size()); }
  // True when `other` is the same instrument: the same skill areas (by name)
  // holding the same questions (by text) in the same order. Each department
  // works on its own copy of a library survey; their answers line up
  // question by question exactly when this holds.
  bool SameInstrument(const TGapSurvey& other) const;
};

}  // namespace zelvora
