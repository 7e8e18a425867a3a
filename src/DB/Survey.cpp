#include "DB/Survey.h"

#include "DB/Department.h"
#include "DB/Experience.h"
#include "DB/Question.h"
#include "DB/SkillArea.h"
#include "DB/Subject.h"

namespace zelvora {

TSurvey::~TSurvey() {
  // Derived and flattened lists first: they only mirror objects.
  DestroyList(questions_);
  DestroyList(subjects_);
  DestroyList(experiences_);
  DestroyList(skill_areas_);
}

std::vector<std::string> TSurvey::DefaultFreqLabels() {
  return {"Almost Never", "Sometimes", "Generally", "Almost Always", "Always"};
}

std::string TSurvey::GetFreqLabel(int index) const {
  if (index < 1 || static_cast<std::size_t>(index) > FreqLabels.size()) return std::string();
  return FreqLabels[static_cast<std::size_t>(index - 1)];
}

void TSurvey::SetFreqLabel(int index, const std::string& text) {
  if (index < 1 || index > kFreqLabelCount) {
    throw ESurvObjError("TSurvey.SetFreqLabel: Index out of bounds");
  }
  if (FreqLabels.size() < static_cast<std::size_t>(index))
    FreqLabels.resize(static_cast<std::size_t>(index));
  FreqLabels[static_cast<std::size_t>(index - 1)] = text;
}

std::string TSurvey::FreqLabelsText() const {
  std::string text;
  for (std::size_t i = 0; i < FreqLabels.size(); ++i) {
    if (i > 0) text += kFreqLabelSeparator;
    text += FreqLabels[i];
  }
  return text;
}

void TSurvey::SetFreqLabelsText(const std::string& text) {
  FreqLabels.clear();
  if (text.empty()) return;
  std::size_t start = 0;
  for (;;) {
    const auto sep = text.find(kFreqLabelSeparator, start);
    if (sep == std::string::npos) {
      // A trailing part without separator is the last label; a separator at
      // the very end leaves no empty label behind it.
      if (start < text.size()) FreqLabels.push_back(text.substr(start));
      return;
    }
    FreqLabels.push_back(text.substr(start, sep - start));
    start = sep + 1;
  }
}

TSkillAreaList& TSurvey::SkillAreas() {
  const bool was_loaded = skill_areas_loaded_;
  auto& list = LazyList(skill_areas_, skill_areas_loaded_,
                        [this](TSkillAreaList& l) { SurveyDB().LoadSkillAreas(ID, l); });
  if (!was_loaded && skill_areas_loaded_) list.SortByOrder();
  return list;
}

TQuestionList& TSurvey::Questions() {
  if (questions_ && questions_valid_) return *questions_;
  DestroyList(questions_);
  questions_ = std::make_unique<TQuestionList>();
  questions_->AddObserver(this);
  auto& areas = SkillAreas();
  areas.SortByOrder();
  for (TSurvObject* area : std::vector<TSurvObject*>(areas.Raw())) {
    auto& questions = static_cast<TSkillArea*>(area)->Questions();
    questions.SortByOrder();
    for (TSurvObject* question : questions.Raw())
      questions_->Add(static_cast<TQuestion*>(question));
  }
  questions_valid_ = true;
  return *questions_;
}

TSubjectList& TSurvey::Subjects() {
  if (subjects_) return *subjects_;
  auto& experiences = Experiences();
  subjects_ = std::make_unique<TSubjectList>();
  subjects_->AddObserver(this);
  if (Department != nullptr) {
    auto& subjects = Department->Subjects();
    for (TSurvObject* item : std::vector<TSurvObject*>(experiences.Raw())) {
      TSubject* subject = subjects.FindByID(static_cast<TExperience*>(item)->SubjectID);
      if (subject != nullptr && !subjects_->Contains(subject)) subjects_->Add(subject);
    }
  }
  return *subjects_;
}

TExperienceList& TSurvey::Experiences() {
  if (experiences_) return *experiences_;
  experiences_ = std::make_unique<TExperienceList>();
  experiences_->AddObserver(this);
  if (Department != nullptr) {
    for (TSurvObject* item : std::vector<TSurvObject*>(Department->Experiences().Raw())) {
      if (static_cast<TExperience*>(item)->SurveyID == ID)
        experiences_->Add(static_cast<TExperience*>(item));
    }
  }
  return *experiences_;
}

void TSurvey::Update(TObservable& list, TSurvObject* item, int code) {
  if (&list == questions_.get()) return;  // the flattened list owns nothing
  if (&list == skill_areas_.get()) {
    auto* area = static_cast<TSkillArea*>(item);
    switch (code) {
      case ncAdd:
        area->Survey = this;
        area->AttachOwningSurvey(this);
        if (area->State == osNew || area->State == osBuiltOutside)
          area->Order = skill_areas_->Size();
        StoreAddedChild(*area, skill_areas_loaded_, true);
        questions_valid_ = false;
        break;
      case ncDelete:
        questions_valid_ = false;
        DeleteAndFree(area);
        break;
      case ncDestroy:
        questions_valid_ = false;
        FreeAll(*skill_areas_);
        break;
      default:
        break;
    }
    return;
  }
  if (&list == subjects_.get()) {
    auto* subject = static_cast<TSubject*>(item);
    if (Department == nullptr) return;
    if (code == ncAdd) {
      auto& department_subjects = Department->Subjects();
      if (!department_subjects.Contains(subject)) {
        department_subjects.Add(subject);
        auto& taken = subject->Surveys();
        if (!taken.Contains(this)) taken.Add(this);
      }
    } else if (code == ncDelete) {
      TBusyGuard busy(*this);
      auto& department_subjects = Department->Subjects();
      if (department_subjects.Contains(subject)) department_subjects.Remove(subject);
    }
    return;
  }
  if (&list == experiences_.get()) {
    auto* experience = static_cast<TExperience*>(item);
    if (code == ncAdd) {
      // The survey reference is set first so that the record stored by the
      // department carries this survey's ID.
      experience->SetSurvey(this);
      if (Department == nullptr) return;
      auto& department_experiences = Department->Experiences();
      if (department_experiences.Contains(experience)) return;
      department_experiences.Add(experience);
      TSubject* subject = Department->Subjects().FindByID(experience->SubjectID);
      if (subject != nullptr) {
        auto& subject_experiences = subject->Experiences();
        if (!subject_experiences.Contains(experience)) subject_experiences.Add(experience);
        if (subject->SurveysIfAny() && !subject->SurveysIfAny()->Contains(this))
          subject->SurveysIfAny()->Add(this);
        if (subjects_ && !subjects_->Contains(subject)) subjects_->Add(subject);
      }
    } else if (code == ncDelete && Department != nullptr) {
      TBusyGuard busy(*this);
      auto& department_experiences = Department->Experiences();
      if (department_experiences.Contains(experience)) department_experiences.Remove(experience);
    }
    return;
  }
  // A questions list of one of this survey's skill areas.
  if (code == ncAdd || code == ncDelete || code == ncDestroy) questions_valid_ = false;
}

std::unique_ptr<TSurvey> TSurvey::Clone(TDepartment* target, bool new_ids) {
  auto copy = std::make_unique<TSurvey>();
  StampCopy(*copy, new_ids);
  copy->Name = Name;
  copy->Author = Author;
  copy->AnsPerQ = AnsPerQ;
  copy->FreqLabels = FreqLabels;
  copy->HasCompletedSheets = 0;
  copy->Department = target;
  auto& copy_areas = copy->EnsureList(copy->skill_areas_);
  for (TSurvObject* area : std::vector<TSurvObject*>(SkillAreas().Raw())) {
    copy_areas.Adopt(static_cast<TSkillArea*>(area)->Clone(copy.get(), new_ids));
  }
  return copy;
}

bool TSurvey::Delete() {
  TDeleteRun run(*this);
  if (!run.Started()) return false;
  DeleteAll(SkillAreas());
  DeleteAll(Subjects());
  DeleteOwnRecord(*this);
  run.Done();
  return true;
}

int TSurvey::ObjectCount() { return 1 + SkillAreas().ObjectCount(); }

void TSurvey::Save() { SurveyDB().Update(*this); }

bool TSurvey::InsertRecord() { return SurveyDB().Insert(*this); }

void TSurvey::StoreTree() {
  InsertRecord();
  auto& areas = EnsureList(skill_areas_);
  for (TSurvObject* area : std::vector<TSurvObject*>(areas.Raw())) area->StoreTree();
  skill_areas_loaded_ = true;
}

}  // namespace zelvora
