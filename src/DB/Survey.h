// TSurvey: an instrument: skill areas in Order, each with questions in Order.
// A survey lives either in the library (its Department is the library owner)
// or in a department as that department's own copy.
//
// Callers may rely on:
//  - Questions() is the flattened list: skill areas by Order, within each the
//    questions by Order; position p (from 1) is question number p of the
//    answer buffers. It is rebuilt after any question or skill area of this
//    survey was added or removed;
//  - Subjects() and Experiences() mirror objects owned by the department and
//    never free them;
//  - Clone with new IDs gives every copied object a fresh ID and State 2 and
//    writes nothing; adding the copy to a department stores it whole.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DB/SurvObjectBase.h"

namespace zelvora {

inline constexpr char kFreqLabelSeparator = '\x1E';
inline constexpr int kFreqLabelCount = 5;

class TSurvey : public TSurvObject {
 public:
  TSurvey() = default;
  ~TSurvey() override;

  std::string Name;    // up to 35 characters when stored
  std::string Author;  // up to 35 characters when stored
  std::int16_t AnsPerQ = 2;
  std::vector<std::string> FreqLabels;
  std::uint8_t HasCompletedSheets = 0;
  TDepartment* Department = nullptr;  // owner

  // "Almost Never", "Sometimes", "Generally", "Almost Always", "Always".
  static std::vector<std::string> DefaultFreqLabels();
  // Label `index` (1 to 5); "" when the survey has fewer labels.
  std::string GetFreqLabel(int index) const;
  // Replaces label `index` (1 to 5), adding empty labels before it when the
  // list is shorter. Other indexes fail.
  void SetFreqLabel(int index, const std::string& text);
  // The labels joined by the character 30 (no trailing separator), and back
  // (an empty text gives no labels).
  std::string FreqLabelsText() const;
  void SetFreqLabelsText(const std::string& text);

  TSkillAreaList& SkillAreas();
  bool SkillAreasLoaded() const { return skill_areas_loaded_; }
  TQuestionList& Questions();
  bool QuestionsValid() const { return questions_valid_ && questions_ != nullptr; }
  void InvalidateQuestions() { questions_valid_ = false; }
  TSubjectList& Subjects();
  TExperienceList& Experiences();
  // The derived lists if they were built, without building them.
  TSubjectList* SubjectsIfAny() const { return subjects_.get(); }
  TExperienceList* ExperiencesIfAny() const { return experiences_.get(); }

  // A copy of the survey and its instrument subtree for `target` (see the
  // header comment). Without new IDs the copy keeps IDs and Date and has
  // State 3. If the ID source fails, nothing is left over and the failure
  // propagates.
  std::unique_ptr<TSurvey> Clone(TDepartment* target, bool new_ids);

  void Update(TObservable& list, TSurvObject* item, int code) override;
  // Skill areas, then the subjects who took it (with all their experiences),
  // then the record.
  bool Delete() override;
  int Kind() const override { return okSurvey; }
  int ObjectCount() override;
  void Save() override;
  void StoreTree() override;
  bool InsertRecord() override;
  std::string DisplayText() const override { return Name; }

 private:
  friend class TSkillArea;
  std::unique_ptr<TSkillAreaList> skill_areas_;
  std::unique_ptr<TQuestionList> questions_;
  std::unique_ptr<TSubjectList> subjects_;
  std::unique_ptr<TExperienceList> experiences_;
  bool skill_areas_loaded_ = false;
  bool questions_valid_ = false;
};

}  // namespace zelvora
