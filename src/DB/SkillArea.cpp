#include "DB/SkillArea.h"

#include <algorithm>

#include "DB/Question.h"
#include "DB/Survey.h"
#include "base/Cp1252.h"

namespace zelvora {

TSkillArea::TSkillArea()
    : QuestPrefix{"How often do you", "How often should you", "How often does this person",
                  "How often should this person"} {}

TSkillArea::~TSkillArea() { DestroyList(FQuestions); }

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
  if (!FQuestions) {
    FQuestions = std::make_unique<TQuestionList>();
    FQuestions->AddObserver(this);
    if (FObservingSurvey != nullptr) FQuestions->AddObserver(FObservingSurvey);
  }
  const bool was_loaded = FQuestionsLoaded;
  auto& list = LazyList(FQuestions, FQuestionsLoaded,
                        [this](TQuestionList& l) { SurveyDB().LoadQuestions(ID, l); });
  if (!was_loaded && FQuestionsLoaded) list.SortByOrder();
  return list;
}

void TSkillArea::AttachOwningSurvey(TSurvey* survey) {
  if (FObservingSurvey == survey) return;
  if (FQuestions && FObservingSurvey != nullptr) FQuestions->RemoveObserver(FObservingSurvey);
  FObservingSurvey = survey;
  if (FQuestions && survey != nullptr) FQuestions->AddObserver(survey);
}

std::unique_ptr<TSkillArea> TSkillArea::Clone(TSurvey* target, bool new_ids) {
  auto copy = std::make_unique<TSkillArea>();
  StampCopy(*copy, new_ids);
  copy->Order = Order;
  copy->Name = Name;
  copy->QuestPrefix = QuestPrefix;
  copy->Survey = target;
  auto& copy_questions = copy->EnsureList(copy->FQuestions);
  for (TSurvObject* question : std::vector<TSurvObject*>(Questions().Raw())) {
    copy_questions.Adopt(static_cast<TQuestion*>(question)->Clone(copy.get(), new_ids));
  }
  return copy;
}

void TSkillArea::Update(TObservable& list, TSurvObject* item, int code) {
  if (&list != FQuestions.get()) return;
  switch (code) {
    case ncAdd: {
      auto* question = static_cast<TQuestion*>(item);
      question->SkillArea = this;
      if (question->State == osNew || question->State == osCopyNewIDs ||
          question->State == osBuiltOutside) {
        question->Order = FQuestions->Size();
      }
      StoreAddedChild(*question, FQuestionsLoaded, true);
      break;
    }
    case ncDelete:
      DeleteAndFree(item);
      break;
    case ncDestroy:
      FreeAll(*FQuestions);
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
  auto& questions = EnsureList(FQuestions);
  for (TSurvObject* question : std::vector<TSurvObject*>(questions.Raw())) question->StoreTree();
  FQuestionsLoaded = true;
}

}  // namespace zelvora
