// TControlCenter: dragging within a list to reorder, and between lists to
// copy questions and skill areas.
#include <algorithm>
#include <exception>
#include <memory>
#include <string>

#include "DB/Survobj.h"
#include "UI/model/CONCEN.h"
#include "UI/model/UserInterface.h"

namespace zelvora {
namespace {

// The object whose children list holds `object` (lists 4 to 8).
const TSurvObject* OwnerOf(const TSurvObject* object) {
  switch (object->Kind()) {
    case okSkillArea:
      return static_cast<const TSkillArea*>(object)->Survey;
    case okQuestion:
      return static_cast<const TQuestion*>(object)->SkillArea;
    case okSuggestion:
      return static_cast<const TSuggestion*>(object)->Question;
    default:
      return nullptr;
  }
}

// Puts the owner's children back in Order after a move.
void ResortOwnerList(TSurvObject* object) {
  switch (object->Kind()) {
    case okSkillArea: {
      TSurvey* survey = static_cast<TSkillArea*>(object)->Survey;
      survey->SkillAreas().SortByOrder();
      survey->InvalidateQuestions();
      break;
    }
    case okQuestion: {
      TSkillArea* area = static_cast<TQuestion*>(object)->SkillArea;
      area->Questions().SortByOrder();
      if (area->Survey != nullptr) area->Survey->InvalidateQuestions();
      break;
    }
    case okSuggestion:
      static_cast<TSuggestion*>(object)->Question->Suggestions().SortByOrder();
      break;
    default:
      break;
  }
}

std::int16_t OrderOf(const TSurvObject* object) { return object->SortOrder(); }

void SetOrder(TSurvObject* object, int order) {
  static_cast<TOrdSurvObject*>(object)->Order = static_cast<std::int16_t>(order);
  object->Touch();
  object->Save();
}

}  // namespace

bool TControlCenter::CanReorder(int list, int index) const {
  if (list < SkillAreaLB || list > SuggestionLB) return false;
  const TCCList& shown = L(list);
  if (shown.SelectedCount() != 1 || shown.RealSelectedCount() != 1) return false;
  if (!ButtonsFor(list).Edit) return false;
  const int from = shown.Selection().front();
  int to = std::max(index, shown.FirstReal());
  if (to > shown.Count() || to == from || to == from + 1) return false;
  // Only among the children of one owner: a list may show the skill areas
  // or questions of several.
  const int low = std::min(from, to);
  const int high = std::max(from, to - 1);
  const TSurvObject* owner = OwnerOf(shown.ObjectAt(from));
  for (int i = low; i <= high; ++i)
    if (shown.ObjectAt(i) == nullptr || OwnerOf(shown.ObjectAt(i)) != owner) return false;
  return true;
}

void TControlCenter::Reorder(int list, int index) {
  const TCCList& shown = L(list);
  const int from = shown.Selection().front();
  const int to = std::max(index, shown.FirstReal());
  TSurvObject* moved = shown.ObjectAt(from);
  if (from < to - 1) {
    // Moving down: the item takes the place of the one above the drop point.
    const int order = OrderOf(shown.ObjectAt(to - 1));
    for (int i = from + 1; i <= to - 1; ++i)
      SetOrder(shown.ObjectAt(i), OrderOf(shown.ObjectAt(i)) - 1);
    SetOrder(moved, order);
  } else {
    const int order = OrderOf(shown.ObjectAt(to));
    for (int i = to; i <= from - 1; ++i)
      SetOrder(shown.ObjectAt(i), OrderOf(shown.ObjectAt(i)) + 1);
    SetOrder(moved, order);
  }
  ResortOwnerList(moved);
  Changed(list, moved);
}

bool TControlCenter::AcceptsSurveyDrop(int index) const {
  auto* survey = static_cast<TSurvey*>(L(SurveyLB).ObjectAt(index));
  if (survey == nullptr) return false;
  return unrestricted_ || (!IsBuiltIn(survey) && survey->HasCompletedSheets == 0);
}

bool TControlCenter::CanDrop(int source, int target, int index) {
  if (source < SurveyLB || source > SuggestionLB || target < 0 || target >= kCCListCount)
    return false;
  const TCCList& dragged = L(source);
  if (dragged.RealSelectedCount() == 0 || dragged.AddEntrySelected()) return false;
  if (source == target) return CanReorder(source, index);
  if ((source == QuestionLB && target == QuestSkillAreaLB) ||
      (source == SurveyQuestionLB && target == SkillAreaLB)) {
    auto* area = static_cast<TSkillArea*>(L(target).ObjectAt(index));
    if (area == nullptr || L(target).RealSelectedCount() != 1) return false;
    // Questions of built-in or answered surveys stay as they are.
    return unrestricted_ || IsEditable(area->Survey);
  }
  if ((source == SkillAreaLB || source == SurveyQuestionLB) && target == SurveyLB)
    return AcceptsSurveyDrop(index);
  return false;
}

void TControlCenter::Drop(int source, int target, int index) {
  if (!CanDrop(source, target, index)) return;
  try {
    if (source == target) {
      Reorder(source, index);
    } else if (target == SkillAreaLB || target == QuestSkillAreaLB) {
      CopyQuestionsToSkillArea(source, *static_cast<TSkillArea*>(L(target).ObjectAt(index)));
    } else if (source == SkillAreaLB) {
      CopySkillAreasToSurvey(*static_cast<TSurvey*>(L(SurveyLB).ObjectAt(index)));
    } else {
      CopyQuestionsToSurvey(*static_cast<TSurvey*>(L(SurveyLB).ObjectAt(index)));
    }
  } catch (const std::exception& failure) {
    // The copies made before the failure stay.
    RefreshAll();
    ui_.ShowError(failure.what());
  }
  RecomputeButtons();
}

void TControlCenter::CopyQuestionsToSkillArea(int source, TSkillArea& target) {
  const auto questions = L(source).SelectedObjects();
  if (!ui_.Ask("Add Question(s) to " + target.Name + " skill area!")) return;
  for (TSurvObject* object : questions) {
    auto* question = static_cast<TQuestion*>(object);
    if (question->SkillArea == &target &&
        !ui_.Ask("The \"" + target.Name + "\" skill area already has this question." + "\n" +
                 "Adding this question will create a duplicate." + "\n" +
                 "Do you want to add it anyway?"))
      continue;
    target.Questions().Adopt(question->Clone(&target, true));
    RefreshAll();
  }
}

void TControlCenter::CopySkillAreasToSurvey(TSurvey& target) {
  const auto areas = L(SkillAreaLB).SelectedObjects();
  if (!ui_.Ask("Add Skill Area(s) to \"" + target.Name + "\" survey!")) return;
  for (TSurvObject* object : areas) {
    auto* area = static_cast<TSkillArea*>(object);
    if (area->Survey == &target &&
        !ui_.Ask("The \"" + target.Name + "\" survey already has this skill area." + "\n" +
                 "Adding this skill area will create a duplicate." + "\n" +
                 "Do you want to add it anyway?"))
      continue;
    auto copy = area->Clone(&target, true);
    // The copy goes after the survey's last skill area.
    int order = -1;
    for (TSurvObject* existing : target.SkillAreas().Raw())
      order = std::max<int>(order, existing->SortOrder());
    copy->Order = static_cast<std::int16_t>(order + 1);
    target.SkillAreas().Adopt(std::move(copy));
    RefreshAll();
  }
}

void TControlCenter::CopyQuestionsToSurvey(TSurvey& target) {
  const auto questions = L(SurveyQuestionLB).SelectedObjects();
  if (!ui_.Ask(std::string(questions.size() == 1 ? "Add Question to \"" : "Add Questions to \"") +
               target.Name + "\" survey!"))
    return;
  for (TSurvObject* object : questions) {
    auto* question = static_cast<TQuestion*>(object);
    const TSkillArea* source_area = question->SkillArea;
    TSkillArea* area = nullptr;
    for (TSurvObject* existing : target.SkillAreas().Raw())
      if (static_cast<TSkillArea*>(existing)->Name == source_area->Name) {
        area = static_cast<TSkillArea*>(existing);
        break;
      }
    if (area == nullptr) {
      auto fresh = std::make_unique<TSkillArea>();
      fresh->Name = source_area->Name;
      fresh->QuestPrefix = source_area->QuestPrefix;
      area = target.SkillAreas().Adopt(std::move(fresh));
    }
    area->Questions().Adopt(question->Clone(area, true));
    RefreshAll();
  }
}

}  // namespace zelvora
