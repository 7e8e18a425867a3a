#include "DB/SkillArea.h"

#include <algorithm>

#include "DB/Question.h"
#include "DB/Survey.h"
#include "base/Cp1252.h"

namespace zelvora {

TSkillArea::TSkillArea()
    : QuestPrefix{"How often do you", "How often should you", "How often does this person",
                  "How often should this person"} {}

TSkillArea::~TSkillArea() { DestroyList(questions_); }

const std::string& TSkillArea::GetPrefix(int index) const {
  if (index < 1 || index > 4) throw ESurvObjError("TSkillArea.GetPrefix: Index out of bounds");
  return QuestPrefix[static_cast<std::size_t>(index - 1)];
}

void TSkillArea::SetPrefix(int index, const std::string& text) {
  if (index < 1 || index > 4) throw ESurvObjError("TSkillArea.SetPrefix: Index out of bounds");
  QuestPrefix[static_cast<std::size_t>(index - 1)] = CutToChars(text, kQuestPrefixMaxChars);
}

TQuestionList& TSkillArea::Questions() {
  // The owning survey observes the list too, from its creation on.
  if (!questions_) {
    questions_ = std::make_unique<TQuestionList>();
    questions_->AddObserver(this);
    if (observing_survey_ != nullptr) questions_->AddObserver(observing_survey_);
  }
  const bool was_loaded = questions_loaded_;
  auto& list = LazyList(questions_, questions_loaded_,
                        [this](TQuestionList& l) { SurveyDB().LoadQuestions(ID, l); });
  if (!was_loaded && questions_loaded_) list.SortByOrder();
  return list;
}

void TSkillArea::AttachOwningSurvey(TSurvey* survey) {
  if (observing_survey_ == survey) return;
  if (questions_ && observing_survey_ != nullptr) questions_->RemoveObserver(observing_survey_);
  observing_survey_ = survey;
  if (questions_ && survey != nullptr) questions_->AddObserver(survey);
}

std::unique_ptr<TSkillArea> TSkillArea::Clone(TSurvey* target, bool new_ids) {
  auto copy = std::make_unique<TSkillArea>();
  StampCopy(*copy, new_ids);
  copy->Order = Order;
  copy->Name = Name;
  copy->QuestPrefix = QuestPrefix;
  copy->Survey = target;
  auto& copy_questions = copy->EnsureList(copy->questions_);
  for (TSurvObject* question : std::vector<TSurvObject*>(Questions().Raw())) {
    copy_questions.Adopt(static_cast<TQuestion*>(question)->Clone(copy.get(), new_ids));
  }
  return copy;
}

void TSkillArea::Update(TObservable& list, TSurvObject* item, int code) {
  if (&list != questions_.get()) return;
  switch (code) {
    case ncAdd: {
      auto* question = static_cast<TQuestion*>(item);
      question->SkillArea = this;
      if (question->State == osNew || question->State == osCopyNewIDs ||
          question->State == osBuiltOutside) {
        question->Order = questions_->Size();
      }
      StoreAddedChild(*question, questions_loaded_, true);
      break;
    }
    case ncDelete:
      DeleteAndFree(item);
      break;
    case ncDestroy:
      FreeAll(*questions_);
      break;
    default:
      break;
  }
}

bool TSkillArea::Delete() {
  TDeleteRun run(*this);
  if (!run.Started()) return false;
  DeleteAll(Questions());
  DeleteOwnRecord(*this);
  run.Done();
  return true;
}

int TSkillArea::ObjectCount() { return 1 + Questions().ObjectCount(); }

void TSkillArea::Save() { SurveyDB().Update(*this); }

bool TSkillArea::InsertRecord() { return SurveyDB().Insert(*this); }

void TSkillArea::StoreTree() {
  InsertRecord();
  auto& questions = EnsureList(questions_);
  for (TSurvObject* question : std::vector<TSurvObject*>(questions.Raw())) question->StoreTree();
  questions_loaded_ = true;
}

}  // namespace zelvora
