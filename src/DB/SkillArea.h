// TSkillArea: a group of questions of a survey, with the four question stems
// shown before its questions (1 and 2 for a rater who is the subject, 3 and
// 4 for every other rater; 1 and 3 introduce answer 1, 2 and 4 answer 2).
#pragma once

#include <array>
#include <memory>
#include <string>

#include "DB/SurvObjectBase.h"

namespace zelvora {

inline constexpr std::size_t kQuestPrefixMaxChars = 255;

class TSkillArea : public TOrdSurvObject {
 public:
  // The default stems "How often do you", "How often should you",
  // "How often does this person", "How often should this person".
  TSkillArea();
  ~TSkillArea() override;

  std::string Name;  // up to 40 characters when stored
  std::array<std::string, 4> QuestPrefix;
  TSurvey* Survey = nullptr;  // owner (the library survey for library areas)

  // Index 1 to 4; other indexes fail.
  const std::string& GetPrefix(int index) const;
  // Cut to 255 characters.
  void SetPrefix(int index, const std::string& text);

  TQuestionList& Questions();
  bool QuestionsLoaded() const { return questions_loaded_; }

  // A copy for `target` (Order, Name, prefixes, questions with their
  // suggestions); see TSurvey::Clone.
  std::unique_ptr<TSkillArea> Clone(TSurvey* target, bool new_ids);

  void Update(TObservable& list, TSurvObject* item, int code) override;
  bool Delete() override;
  int Kind() const override { return okSkillArea; }
  int ObjectCount() override;
  void Save() override;
  void StoreTree() override;
  bool InsertRecord() override;
  std::string DisplayText() const override { return Name; }

  // Called by the survey that owns this area: the survey observes the
  // questions list too, so that it can invalidate its flattened list.
  void AttachOwningSurvey(TSurvey* survey);

 private:
  std::unique_ptr<TQuestionList> questions_;
  bool questions_loaded_ = false;
  TSurvey* observing_survey_ = nullptr;
};

}  // namespace zelvora
