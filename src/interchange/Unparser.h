// TUnparser: writes companies, departments, surveys, skill areas, questions
// and suggestions, each with its whole subtree, in the text object format
// that TParser reads. The file is plain (not scrambled) Windows-1252 text
// with lines ended by CR LF.
//
// Block of an object written at indentation n (children at n + 2):
//
//   object TSkillArea            <- n blanks
//     ID 12.40                   <- "ID Origin.Serial"
//     Date 36526.5000000         <- always 7 decimals
//     Order 1                    <- ordered kinds only
//     Name 'Listening            <- texts: apostrophe, no closing one
//     QuestPrefix1 '...          <- the kind's other properties
//                                <- empty line (not after a suggestion's properties)
//     object TQuestion ... end   <- each child, in list order
//   end
//                                <- empty line
//
// Properties per kind: TCompany and TDepartment Name; TSurvey Name, Author,
// AnsPerQ, FreqLbl1..k (one per label held); TSkillArea Order, Name,
// QuestPrefix1..4; TQuestion Order, QuestionText; TSuggestion Order,
// SuggestionText.
//
// Callers may rely on:
//  - with the renumber flag, IDs are written as 1.<counter> from one counter
//    shared by every writer of the process (starting at 1, never reset); the
//    objects keep their own IDs;
//  - a text holding control characters (line breaks, tabs, ...) is written
//    with each run of them replaced by one blank, so every file written reads
//    back line for line, and a text ending in a backslash gets one blank
//    after it (a backslash ending a line would join the next line to the
//    value); other texts are written exactly as held;
//  - an object of another kind fails with ESurvObjError "DoUnparse: Unknown
//    type" before any of it is written; I/O failures throw std::runtime_error
//    naming the file, and the file keeps what was written before.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace zelvora {

class TSurvObject;
class TCompany;
class TDepartment;
class TSurvey;
class TSkillArea;
class TQuestion;
class TSuggestion;

class TUnparser {
 public:
  // The fixed Origin written with renumbered IDs.
  static constexpr std::int32_t kRenumberOrigin = 1;

  // Creates (or empties) the file.
  TUnparser(const std::string& file_name, bool renumber);
  // Closes the file; a failure there is swallowed (call Close to see it).
  ~TUnparser();
  TUnparser(const TUnparser&) = delete;
  TUnparser& operator=(const TUnparser&) = delete;

  // Writes one object block with its children at the current indentation.
  void DoUnparse(TSurvObject& object);
  // Flushes and closes the file, throwing on failure; later calls do nothing.
  void Close();

  // The Serial the next renumbered ID will carry.
  static std::int32_t NextRenumberSerial();

  // The text as written after the apostrophe: each run of characters below
  // code 32 becomes one blank; a final backslash is followed by a blank.
  static std::string CleanText(std::string_view text);

 private:
  void Unparse(TCompany& company);
  void Unparse(TDepartment& department);
  void Unparse(TSurvey& survey);
  void Unparse(TSkillArea& area);
  void Unparse(TQuestion& question);
  void Unparse(TSuggestion& suggestion);
  void Dispatch(TSurvObject& object);

  void WriteHeader(const char* class_name, TSurvObject& object);
  void WriteLine(std::string_view text);
  void WriteEmptyLine();
  void WriteInt(std::string_view name, long long value);
  void WriteText(std::string_view name, std::string_view text);
  void WriteEnd();
  void WriteRaw(std::string_view bytes);

  std::string file_name_;
  std::FILE* file_ = nullptr;
  bool renumber_ = false;
  int indent_ = 0;
};

}  // namespace zelvora
