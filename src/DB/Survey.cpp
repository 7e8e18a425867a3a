#include "DB/Survey.h"

#include "DB/Department.h"
#include "DB/Experience.h"
#include "DB/Question.h"
#include "DB/SkillArea.h"
#include "DB/Subject.h"

namespace zelvora {

TSurvey::~TSurvey() {
  // Derived and flattened lists first: they only mirror objects.
  DestroyList(FQuestions);
  DestroyList(FSubjects);
  DestroyList(FExperiences);
  DestroyList(FSkillAreas);
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
  if (FreqLabels.size() < static_cast<std::size_t>(index)) FreqLabels.resize(static_cast<std::size_t>(index));
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
  const bool was_loaded = FSkillAreasLoaded;
  auto& list = LazyList(FSkillAreas, FSkillAreasLoaded,
                        [this](TSkillAreaList& l) { SurveyDB().LoadSkillAreas(ID, l); });
  if (!was_loaded && FSkillAreasLoaded) list.SortByOrder();
  return list;
}

TQuestionList& TSurvey::Questions() {
  if (FQuestions && FQuestionsValid) return *FQuestions;
  DestroyList(FQuestions);
  FQuestions = std::make_unique<TQuestionList>();
  FQuestions->AddObserver(this);
  auto& areas = SkillAreas();
  areas.SortByOrder();
  for (TSurvObject* area : std::vector<TSurvObject*>(areas.Raw())) {
    auto& questions = static_cast<TSkillArea*>(area)->Questions();
    questions.SortByOrder();
    for (TSurvObject* question : questions.Raw()) FQuestions->Add(static_cast<TQuestion*>(question));
  }
  FQuestionsValid = true;
  return *FQuestions;
}

TSubjectList& TSurvey::Subjects() {
  if (FSubjects) return *FSubjects;
  auto& experiences = Experiences();
  FSubjects = std::make_unique<TSubjectList>();
  FSubjects->AddObserver(this);
  if (Department != nullptr) {
    auto& subjects = Department->Subjects();
    for (TSurvObject* item : std::vector<TSurvObject*>(experiences.Raw())) {
      TSubject* subject = subjects.FindByID(static_cast<TExperience*>(item)->SubjectID);
      if (subject != nullptr && !FSubjects->Contains(subject)) FSubjects->Add(subject);
    }
  }
  return *FSubjects;
}

TExperienceList& TSurvey::Experiences() {
  if (FExperiences) return *FExperiences;
  FExperiences = std::make_unique<TExperienceList>();
  FExperiences->AddObserver(this);
  if (Department != nullptr) {
    for (TSurvObject* item : std::vector<TSurvObject*>(Department->Experiences().Raw())) {
      if (static_cast<TExperience*>(item)->SurveyID == ID) FExperiences->Add(static_cast<TExperience*>(item));
    }
  }
  return *FExperiences;
}

void TSurvey::Update(TObservable& list, TSurvObject* item, int code) {
  if (&list == FQuestions.get()) return;  // the flattened list owns nothing
  if (&list == FSkillAreas.get()) {
    auto* area = static_cast<TSkillArea*>(item);
    switch (code) {
      case ncAdd:
        area->Survey = this;
        area->AttachOwningSurvey(this);
        if (area->State == osNew || area->State == osBuiltOutside) area->Order = FSkillAreas->Size();
        StoreAddedChild(*area, FSkillAreasLoaded, true);
        FQuestionsValid = false;
        break;
      case ncDelete:
        FQuestionsValid = false;
        DeleteAndFree(area);
        break;
      case ncDestroy:
        FQuestionsValid = false;
        FreeAll(*FSkillAreas);
        break;
      default:
        break;
    }
    return;
  }
  if (&list == FSubjects.get()) {
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
  if (&list == FExperiences.get()) {
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
        if (subject->SurveysIfAny() && !subject->SurveysIfAny()->Contains(this)) subject->SurveysIfAny()->Add(this);
        if (FSubjects && !FSubjects->Contains(subject)) FSubjects->Add(subject);
      }
    } else if (code == ncDelete && Department != nullptr) {
      TBusyGuard busy(*this);
      auto& department_experiences = Department->Experiences();
      if (department_experiences.Contains(experience)) department_experiences.Remove(experience);
    }
    return;
  }
  // A questions list of one of this survey's skill areas.
  if (code == ncAdd || code == ncDelete || code == ncDestroy) FQuestionsValid = false;
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
  auto& copy_areas = copy->EnsureList(copy->FSkillAreas);
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
  auto& areas = EnsureList(FSkillAreas);
  for (TSurvObject* area : std::vector<TSurvObject*>(areas.Raw())) area->StoreTree();
  FSkillAreasLoaded = true;
}

}  // namespace zelvora
