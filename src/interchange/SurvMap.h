// TSurveyMapper: the XML form of the survey object tree, and the survey-disk
// document "dtf.xml" that carries one score sheet with everything a rater
// needs.
//
// Every object is an element named by its class ("TCompany", ...); each
// property is a child element whose text is the value; each children list is
// a child element named by the list's class ("TDepartmentList", ...) holding
// one element per item in list order, written even when empty. No
// attributes. The elements of each kind, in the order written:
//
//   TCompany     ID Date Name                                TDepartmentList
//   TDepartment  ID Date Name                                TSurveyList
//   TSurvey      ID Date Name Author AnsPerQ FreqLbl1..n     TSkillAreaList TSubjectList
//   TSubject     ID Date Name                                TExperienceList
//   TSkillArea   ID Date Order Name QuestPrefix1..4          TQuestionList
//   TQuestion    ID Date Order QuestionText Locked           TSuggestionList
//   TSuggestion  ID Date Order SuggestionText
//   TExperience  ID Date ExperienceDate ScoreSheetsDeleted   TScoreSheetList
//   TScoreSheet  ID Date AnswersBuf Completed AnswersEdited RaterCategory
//   TRater       ID Date Name
//   TDataRoot    ID Date                                     TCompanyList TSurveyList
//   TSkillAreaList
//
// Values: "ID" is "Origin.Serial"; dates are reals (days since 1899-12-30);
// integers decimal; booleans "0"/"1"; "AnswersBuf" is the 230 answer bytes as
// signed decimals joined by commas; "RaterCategory" is the category's name
// (at most 15 characters), never its number.
//
// Callers may rely on:
//  - the exclusion flags leave the same lists out when writing and reading;
//  - objects read have State 4 (built outside the database): appending them
//    to lists writes nothing to the database, and reading needs no open
//    database;
//  - values that are not numbers never fail: they read as the defaults (an
//    integer that does not fit its field reads as 0);
//  - an element of an unknown kind fails with ESurvObjError
//    "NewType: Unknown type"; XML errors pass through as EXmlException.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "DB/ObjectID.h"

namespace zelvora {

class TElement;
class TSurvObject;
class TSurvList;
class TCompany;
class TDepartment;
class TSurvey;
class TSubject;
class TExperience;
class TScoreSheet;

// Exclusion flags: each set bit leaves one kind of children list out.
enum TMapperExclusion : std::uint16_t {
  kExcludeCompanies = 1,      // companies under the data root
  kExcludeDepartments = 2,    // departments of a company
  kExcludeSurveys = 4,        // surveys of a department; library surveys
  kExcludeSubjects = 8,       // subjects of a survey
  kExcludeSkillAreas = 16,    // skill areas of a survey; library skill areas
  kExcludeQuestions = 32,     // questions of a skill area
  kExcludeExperiences = 64,   // experiences of a subject
  kExcludeSuggestions = 128,  // suggestions of a question
  kExcludeScoreSheets = 256,  // score sheets of an experience
};

// The flags the survey disk is written with (2, 4, 8, 64, 128, 256) and read
// with (64).
inline constexpr std::uint16_t kSurveyDiskWriteExclusions = 462;
inline constexpr std::uint16_t kSurveyDiskReadExclusions = 64;
inline constexpr const char* kSurveyDiskFileName = "dtf.xml";

// What a survey disk holds: the score sheet and its chain of objects, linked
// (sheet -> experience -> survey, subject, department -> company). It owns
// all six and frees them sheet first, company last.
struct TSurveyDiskObjects {
  TSurveyDiskObjects();
  TSurveyDiskObjects(TSurveyDiskObjects&&) noexcept;
  TSurveyDiskObjects& operator=(TSurveyDiskObjects&&) noexcept;
  ~TSurveyDiskObjects();
  // Frees the six objects in the order above.
  void Clear();

  // Declared in reverse order of freeing.
  std::unique_ptr<TCompany> Company;
  std::unique_ptr<TDepartment> Department;
  std::unique_ptr<TSubject> Subject;
  std::unique_ptr<TSurvey> Survey;
  std::unique_ptr<TExperience> Experience;
  std::unique_ptr<TScoreSheet> ScoreSheet;
  // The "RaterCategory" text of the disk: only the name travels, and the
  // sheet's category number stays 0.
  std::string CategoryName;
};

class TSurveyMapper {
 public:
  explicit TSurveyMapper(std::uint16_t exclusions = 0) : exclusions_(exclusions) {}

  std::uint16_t Exclusions() const { return exclusions_; }

  // Adds the object's element as the new last child of `parent` and fills it
  // with its subtree. Objects of other kinds are ignored. Children lists of
  // stored objects are loaded from the database as they are walked.
  void WriteObject(TSurvObject& object, TElement& parent) const;
  // Adds the list's element as the new last child of `parent` and writes each
  // item into it.
  void WriteList(TSurvList& list, TElement& parent) const;

  // A new object (State 4) from the element; the caller owns it.
  std::unique_ptr<TSurvObject> ReadObject(const TElement& element) const;
  // Reads every child element of `list_element` in order, whatever its name,
  // and appends each object with the list's Add. Nothing for a null element.
  // An object the list refuses (wrong kind, full list) is freed and the
  // failure passes on; the objects appended before it stay in the list.
  void ReadList(const TElement* list_element, TSurvList& list) const;

  // Writes the survey disk document for `sheet` to `file_name` (replacing an
  // existing file; on failure the old file is left as it was). The sheet
  // needs its experience, the experience's survey, subject and department,
  // and the department's company; a missing one fails with ESurvObjError
  // before anything is written.
  static void WriteSurveyDisk(const std::string& file_name, TScoreSheet& sheet);
  // Reads a survey disk document. A missing file or one without elements
  // fails with "No such element"; missing object elements read as objects
  // with every default.
  static TSurveyDiskObjects ReadSurveyDisk(const std::string& file_name);
  // The same over a document already parsed.
  static TSurveyDiskObjects ReadSurveyDisk(const TElement& document);
  // Writes the sheet's Date, answer buffer, completed flag and edit count
  // into the survey disk document `file_name`, leaving every other element as
  // it was. The file is replaced whole or not at all; a missing file fails
  // with "No such element" and XML errors pass through.
  static void WriteSurveyDiskAnswers(const std::string& file_name, const TScoreSheet& sheet);

  // "Origin.Serial" read back: the text before the first "." is Origin, up
  // to 10 characters after it Serial, each 0 where not a decimal number; a
  // text without "." is Serial alone (up to 10 characters).
  static TObjectID ParseID(std::string_view text);

 private:
  bool Excluded(std::uint16_t flag) const { return (exclusions_ & flag) != 0; }
  void ReadProperties(const TElement& element, TSurvObject& object) const;

  std::uint16_t exclusions_;
};

}  // namespace zelvora
