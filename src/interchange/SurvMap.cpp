#include "interchange/SurvMap.h"

#include <charconv>
#include <cstring>
#include <limits>

#include "DB/Survobj.h"
#include "base/Cp1252.h"
#include "interchange/XML.h"

namespace zelvora {
namespace {

// Element names of the object kinds (indexed by kind code) and their lists.
constexpr const char* kObjectElement[] = {
    "TDataRoot", "TCompany",    "TDepartment", "TSurvey",     "TSubject", "TSkillArea",
    "TQuestion", "TSuggestion", "TExperience", "TScoreSheet", "TRater"};
constexpr const char* kListElement[] = {
    "",
    "TCompanyList",
    "TDepartmentList",
    "TSurveyList",
    "TSubjectList",
    "TSkillAreaList",
    "TQuestionList",
    "TSuggestionList",
    "TExperienceList",
    "TScoreSheetList",
    "TRaterList",
};
constexpr int kFirstKind = okCompany;
constexpr int kLastKind = okRater;

constexpr const char* kID = "ID";
constexpr const char* kDate = "Date";
constexpr const char* kName = "Name";
constexpr const char* kAuthor = "Author";
constexpr const char* kAnsPerQ = "AnsPerQ";
constexpr const char* kFreqLbl = "FreqLbl";
constexpr const char* kOrder = "Order";
constexpr const char* kQuestPrefix = "QuestPrefix";
constexpr const char* kQuestionText = "QuestionText";
constexpr const char* kLocked = "Locked";
constexpr const char* kSuggestionText = "SuggestionText";
constexpr const char* kExperienceDate = "ExperienceDate";
constexpr const char* kScoreSheetsDeleted = "ScoreSheetsDeleted";
constexpr const char* kAnswersBuf = "AnswersBuf";
constexpr const char* kCompleted = "Completed";
constexpr const char* kAnswersEdited = "AnswersEdited";
constexpr const char* kRaterCategory = "RaterCategory";
constexpr const char* kDocument = "DOCUMENT";

// Up to this many characters of each half of an "ID" are read.
constexpr std::size_t kIDHalfChars = 10;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// A decimal integer with an optional sign, or nothing.
std::optional<long long> ParseDecimal(std::string_view text) {
  std::string_view digits = text;
  if (digits.starts_with('+')) digits.remove_prefix(1);
  if (digits.empty()) return std::nullopt;
  long long value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

std::int32_t DecimalOrZero(std::string_view text) {
  std::optional<long long> v = ParseDecimal(text);
  if (!v || *v < std::numeric_limits<std::int32_t>::min() ||
      *v > std::numeric_limits<std::int32_t>::max())
    return 0;
  return static_cast<std::int32_t>(*v);
}

// An integer property read into a field of type T: 0 when missing, not a
// number, or outside the field's range.
template <class T>
T ReadInteger(const TElement& e, const char* name) {
  const TElement* p = e.FindElement(name);
  if (p == nullptr) return 0;
  std::optional<long long> v = ParseDecimal(p->Value);
  if (!v || *v < std::numeric_limits<T>::min() || *v > std::numeric_limits<T>::max()) return 0;
  return static_cast<T>(*v);
}

int KindOfElementName(std::string_view name) {
  for (int kind = kFirstKind; kind <= kLastKind; ++kind)
    if (EqualsIgnoringCase(name, kObjectElement[kind])) return kind;
  return -1;
}

int KindOfList(const TSurvList& list) {
  if (dynamic_cast<const TCompanyList*>(&list)) return okCompany;
  if (dynamic_cast<const TDepartmentList*>(&list)) return okDepartment;
  if (dynamic_cast<const TSurveyList*>(&list)) return okSurvey;
  if (dynamic_cast<const TSubjectList*>(&list)) return okSubject;
  if (dynamic_cast<const TSkillAreaList*>(&list)) return okSkillArea;
  if (dynamic_cast<const TQuestionList*>(&list)) return okQuestion;
  if (dynamic_cast<const TSuggestionList*>(&list)) return okSuggestion;
  if (dynamic_cast<const TExperienceList*>(&list)) return okExperience;
  if (dynamic_cast<const TScoreSheetList*>(&list)) return okScoreSheet;
  if (dynamic_cast<const TRaterList*>(&list)) return okRater;
  return -1;
}

std::unique_ptr<TSurvObject> NewObject(int kind) {
  switch (kind) {
    case okCompany:
      return std::make_unique<TCompany>();
    case okDepartment:
      return std::make_unique<TDepartment>();
    case okSurvey:
      return std::make_unique<TSurvey>();
    case okSubject:
      return std::make_unique<TSubject>();
    case okSkillArea:
      return std::make_unique<TSkillArea>();
    case okQuestion:
      return std::make_unique<TQuestion>();
    case okSuggestion:
      return std::make_unique<TSuggestion>();
    case okExperience:
      return std::make_unique<TExperience>();
    case okScoreSheet:
      return std::make_unique<TScoreSheet>();
    case okRater:
      return std::make_unique<TRater>();
    default:
      throw ESurvObjError("NewType: Unknown type");
  }
}

std::string AnswersText(const TScoreSheet& sheet) {
  std::string text;
  text.reserve(kAnswersBufSize * 3);
  for (int i = 0; i < kAnswersBufSize; ++i) {
    if (i > 0) text += ',';
    text += std::to_string(static_cast<int>(sheet.AnswersBuf[static_cast<std::size_t>(i)]));
  }
  return text;
}

// The first 230 comma-separated values go into the buffer in order, each as a
// signed byte (its low 8 bits); a value that is not a number gives 0 and
// bytes beyond the values given stay 0.
void ReadAnswers(std::string_view text, TScoreSheet& sheet) {
  sheet.AnswersBuf.fill(0);
  std::size_t index = 0;
  while (index < static_cast<std::size_t>(kAnswersBufSize)) {
    std::size_t comma = text.find(',');
    std::string_view value = text.substr(0, comma);
    std::optional<long long> v = ParseDecimal(value);
    sheet.AnswersBuf[index++] = v ? static_cast<std::int8_t>(static_cast<std::uint8_t>(
                                        static_cast<unsigned long long>(*v) & 0xFF))
                                  : std::int8_t{0};
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
}

// The category name the sheet's company gives its category number; "" when
// the sheet is not linked up to a company.
std::string CategoryNameOf(TScoreSheet& sheet) {
  if (sheet.Experience == nullptr || sheet.Experience->Department == nullptr ||
      sheet.Experience->Department->Company == nullptr)
    return {};
  return sheet.CategoryName();
}

void WriteIdentity(const TSurvObject& object, TElement& e) {
  e.SetText(kID, object.ID.Text());
  e.SetReal(kDate, object.Date);
}

}  // namespace

TSurveyDiskObjects::TSurveyDiskObjects() = default;
TSurveyDiskObjects::TSurveyDiskObjects(TSurveyDiskObjects&&) noexcept = default;
TSurveyDiskObjects& TSurveyDiskObjects::operator=(TSurveyDiskObjects&& other) noexcept {
  if (this != &other) {
    Clear();
    Company = std::move(other.Company);
    Department = std::move(other.Department);
    Subject = std::move(other.Subject);
    Survey = std::move(other.Survey);
    Experience = std::move(other.Experience);
    ScoreSheet = std::move(other.ScoreSheet);
    CategoryName = std::move(other.CategoryName);
  }
  return *this;
}
TSurveyDiskObjects::~TSurveyDiskObjects() { Clear(); }
void TSurveyDiskObjects::Clear() {
  // Sheet first, company last: each object may still look at the next.
  ScoreSheet.reset();
  Experience.reset();
  Survey.reset();
  Subject.reset();
  Department.reset();
  Company.reset();
}

TObjectID TSurveyMapper::ParseID(std::string_view text) {
  std::size_t dot = text.find('.');
  if (dot == std::string_view::npos)
    return TObjectID{0, DecimalOrZero(text.substr(0, kIDHalfChars))};
  return TObjectID{DecimalOrZero(text.substr(0, dot)),
                   DecimalOrZero(text.substr(dot + 1, kIDHalfChars))};
}

// ---------------------------------------------------------------- writing

void TSurveyMapper::WriteList(TSurvList& list, TElement& parent) const {
  int kind = KindOfList(list);
  if (kind < 0) return;
  TElement& e = parent.AddElement(kListElement[kind]);
  // The loop reads the items without notifications: the list was created
  // (and loaded) by the accessor that handed it over.
  for (TSurvObject* item : list.Raw()) WriteObject(*item, e);
}

void TSurveyMapper::WriteObject(TSurvObject& object, TElement& parent) const {
  const int kind = object.Kind();
  if (kind < okDataRoot || kind > okRater) return;
  TElement& e = parent.AddElement(kObjectElement[kind]);
  WriteIdentity(object, e);
  switch (kind) {
    case okDataRoot: {
      auto& root = static_cast<TDataRoot&>(object);
      if (!Excluded(kExcludeCompanies)) WriteList(root.Companies(), e);
      if (!Excluded(kExcludeSurveys)) WriteList(root.LibrarySurveys(), e);
      if (!Excluded(kExcludeSkillAreas)) WriteList(root.LibrarySkillAreas(), e);
      break;
    }
    case okCompany: {
      auto& company = static_cast<TCompany&>(object);
      e.SetText(kName, company.Name);
      if (!Excluded(kExcludeDepartments)) WriteList(company.Departments(), e);
      break;
    }
    case okDepartment: {
      auto& department = static_cast<TDepartment&>(object);
      e.SetText(kName, department.Name);
      if (!Excluded(kExcludeSurveys)) WriteList(department.Surveys(), e);
      break;
    }
    case okSurvey: {
      auto& survey = static_cast<TSurvey&>(object);
      e.SetText(kName, survey.Name);
      e.SetText(kAuthor, survey.Author);
      e.SetInt(kAnsPerQ, survey.AnsPerQ);
      for (std::size_t i = 0; i < survey.FreqLabels.size(); ++i)
        e.AddElement(kFreqLbl + std::to_string(i + 1)).Value = survey.FreqLabels[i];
      if (!Excluded(kExcludeSkillAreas)) WriteList(survey.SkillAreas(), e);
      if (!Excluded(kExcludeSubjects)) WriteList(survey.Subjects(), e);
      break;
    }
    case okSubject: {
      auto& subject = static_cast<TSubject&>(object);
      e.SetText(kName, subject.Name);
      if (!Excluded(kExcludeExperiences)) WriteList(subject.Experiences(), e);
      break;
    }
    case okSkillArea: {
      auto& area = static_cast<TSkillArea&>(object);
      e.SetInt(kOrder, area.Order);
      e.SetText(kName, area.Name);
      for (int i = 1; i <= 4; ++i)
        e.AddElement(kQuestPrefix + std::to_string(i)).Value = area.GetPrefix(i);
      if (!Excluded(kExcludeQuestions)) WriteList(area.Questions(), e);
      break;
    }
    case okQuestion: {
      auto& question = static_cast<TQuestion&>(object);
      e.SetInt(kOrder, question.Order);
      e.SetText(kQuestionText, question.QuestionText);
      e.SetBool(kLocked, question.Locked);
      if (!Excluded(kExcludeSuggestions)) WriteList(question.Suggestions(), e);
      break;
    }
    case okSuggestion: {
      auto& suggestion = static_cast<TSuggestion&>(object);
      e.SetInt(kOrder, suggestion.Order);
      e.SetText(kSuggestionText, suggestion.SuggestionText);
      break;
    }
    case okExperience: {
      auto& experience = static_cast<TExperience&>(object);
      e.SetReal(kExperienceDate, experience.ExperienceDate);
      e.SetInt(kScoreSheetsDeleted, experience.ScoreSheetsDeleted);
      if (!Excluded(kExcludeScoreSheets)) WriteList(experience.ScoreSheets(), e);
      break;
    }
    case okScoreSheet: {
      auto& sheet = static_cast<TScoreSheet&>(object);
      e.SetText(kAnswersBuf, AnswersText(sheet));
      e.SetBool(kCompleted, sheet.Completed);
      e.SetInt(kAnswersEdited, sheet.AnswersEdited);
      e.SetText(kRaterCategory, CutToChars(CategoryNameOf(sheet), kCategoryNameMaxChars));
      break;
    }
    case okRater: {
      auto& rater = static_cast<TRater&>(object);
      e.SetText(kName, rater.Name);
      break;
    }
  }
}

// ---------------------------------------------------------------- reading

std::unique_ptr<TSurvObject> TSurveyMapper::ReadObject(const TElement& element) const {
  std::unique_ptr<TSurvObject> object = NewObject(KindOfElementName(element.Name()));
  // State 4 before any list is touched, so that no list loads from the
  // database and appending writes nothing.
  object->State = osBuiltOutside;
  object->ID = TObjectID{};
  if (const TElement* id = element.FindElement(kID)) object->ID = ParseID(id->Value);
  object->Date = element.GetReal(kDate, object->Date);
  ReadProperties(element, *object);
  return object;
}

void TSurveyMapper::ReadProperties(const TElement& e, TSurvObject& object) const {
  switch (object.Kind()) {
    case okCompany: {
      auto& company = static_cast<TCompany&>(object);
      company.Name = e.GetText(kName);
      if (!Excluded(kExcludeDepartments))
        ReadList(e.FindElement(kListElement[okDepartment]), company.Departments());
      break;
    }
    case okDepartment: {
      auto& department = static_cast<TDepartment&>(object);
      department.Name = e.GetText(kName);
      if (!Excluded(kExcludeSurveys))
        ReadList(e.FindElement(kListElement[okSurvey]), department.Surveys());
      break;
    }
    case okSurvey: {
      auto& survey = static_cast<TSurvey&>(object);
      survey.Name = e.GetText(kName);
      survey.Author = e.GetText(kAuthor);
      survey.AnsPerQ = ReadInteger<std::int16_t>(e, kAnsPerQ);
      survey.FreqLabels.clear();
      for (std::size_t i = 1;; ++i) {
        const TElement* label = e.FindElement(kFreqLbl + std::to_string(i));
        if (label == nullptr) break;
        survey.FreqLabels.push_back(label->Value);
      }
      if (!Excluded(kExcludeSkillAreas))
        ReadList(e.FindElement(kListElement[okSkillArea]), survey.SkillAreas());
      // The subjects under a survey mirror the department's and are not read.
      break;
    }
    case okSubject: {
      auto& subject = static_cast<TSubject&>(object);
      subject.Name = e.GetText(kName);
      // A subject's experiences are a view of its department's; a subject
      // read on its own has no department to hold them, so they are read
      // only when one is there to take them.
      if (!Excluded(kExcludeExperiences) && subject.Department != nullptr)
        ReadList(e.FindElement(kListElement[okExperience]), subject.Experiences());
      break;
    }
    case okSkillArea: {
      auto& area = static_cast<TSkillArea&>(object);
      area.Order = ReadInteger<std::int16_t>(e, kOrder);
      area.Name = e.GetText(kName);
      for (int i = 1; i <= 4; ++i) area.SetPrefix(i, e.GetText(kQuestPrefix + std::to_string(i)));
      if (!Excluded(kExcludeQuestions))
        ReadList(e.FindElement(kListElement[okQuestion]), area.Questions());
      break;
    }
    case okQuestion: {
      auto& question = static_cast<TQuestion&>(object);
      question.Order = ReadInteger<std::int16_t>(e, kOrder);
      question.QuestionText = e.GetText(kQuestionText);
      question.Locked = e.GetBool(kLocked, false);
      if (!Excluded(kExcludeSuggestions))
        ReadList(e.FindElement(kListElement[okSuggestion]), question.Suggestions());
      break;
    }
    case okSuggestion: {
      auto& suggestion = static_cast<TSuggestion&>(object);
      suggestion.Order = ReadInteger<std::int16_t>(e, kOrder);
      suggestion.SuggestionText = e.GetText(kSuggestionText);
      break;
    }
    case okExperience: {
      auto& experience = static_cast<TExperience&>(object);
      experience.ExperienceDate = e.GetReal(kExperienceDate, experience.ExperienceDate);
      experience.ScoreSheetsDeleted = ReadInteger<std::uint8_t>(e, kScoreSheetsDeleted);
      if (!Excluded(kExcludeScoreSheets))
        ReadList(e.FindElement(kListElement[okScoreSheet]), experience.ScoreSheets());
      break;
    }
    case okScoreSheet: {
      auto& sheet = static_cast<TScoreSheet&>(object);
      ReadAnswers(e.GetText(kAnswersBuf), sheet);
      sheet.Completed = e.GetBool(kCompleted, false);
      sheet.AnswersEdited = ReadInteger<std::uint8_t>(e, kAnswersEdited);
      // The category name is taken by the survey-disk reader; the number is
      // not carried and stays 0.
      break;
    }
    case okRater: {
      auto& rater = static_cast<TRater&>(object);
      rater.Name = e.GetText(kName);
      break;
    }
  }
}

void TSurveyMapper::ReadList(const TElement* list_element, TSurvList& list) const {
  if (list_element == nullptr) return;
  for (const TElement* child : list_element->Elements()) {
    std::unique_ptr<TSurvObject> object = ReadObject(*child);
    // Once appended, the list's owner owns it; a refused object is freed here.
    list.Add(object.get());
    object.release();
  }
}

// ---------------------------------------------------------------- survey disk

//   DOCUMENT
//     TScoreSheet
//     TExperience
//     TSurvey          with TSkillAreaList / TSkillArea / TQuestionList / TQuestion
//     TSubject
//     TDepartment
//     TCompany
void TSurveyMapper::WriteSurveyDisk(const std::string& file_name, TScoreSheet& sheet) {
  TExperience* experience = sheet.Experience;
  if (experience == nullptr) throw ESurvObjError("The score sheet has no experience");
  TSurvey* survey = experience->Survey();
  if (survey == nullptr) throw ESurvObjError("The experience has no survey");
  TSubject* subject = experience->Subject();
  if (subject == nullptr) throw ESurvObjError("The experience has no subject");
  TDepartment* department = experience->Department;
  if (department == nullptr) throw ESurvObjError("The experience has no department");
  TCompany* company = department->Company;
  if (company == nullptr) throw ESurvObjError("The department has no company");

  // The whole document is built first and then saved in one go, so a failure
  // on the way never leaves a partial "dtf.xml".
  TDocument document(kXmlNoRead, file_name);
  TElement& top = document.AddElement(kDocument);
  const TSurveyMapper mapper(kSurveyDiskWriteExclusions);
  mapper.WriteObject(sheet, top);
  mapper.WriteObject(*experience, top);
  mapper.WriteObject(*survey, top);
  mapper.WriteObject(*subject, top);
  mapper.WriteObject(*department, top);
  mapper.WriteObject(*company, top);
  document.Save(file_name);
}

TSurveyDiskObjects TSurveyMapper::ReadSurveyDisk(const std::string& file_name) {
  TDocument document(0, file_name);
  return ReadSurveyDisk(document);
}

TSurveyDiskObjects TSurveyMapper::ReadSurveyDisk(const TElement& document) {
  // The first top-level element is the DOCUMENT element, whatever its name.
  const TElement& top = document.FirstElement();
  const TSurveyMapper mapper(kSurveyDiskReadExclusions);
  TElement empty_holder(nullptr, kDocument);
  auto read = [&](int kind) {
    const TElement* e = top.FindElement(kObjectElement[kind]);
    // A missing element reads as an object with every default.
    if (e == nullptr) e = &empty_holder.AddElement(kObjectElement[kind]);
    return mapper.ReadObject(*e);
  };
  auto take = [](std::unique_ptr<TSurvObject> object, auto* typed) {
    using T = std::remove_pointer_t<decltype(typed)>;
    return std::unique_ptr<T>(static_cast<T*>(object.release()));
  };

  TSurveyDiskObjects disk;
  disk.ScoreSheet = take(read(okScoreSheet), static_cast<TScoreSheet*>(nullptr));
  disk.Experience = take(read(okExperience), static_cast<TExperience*>(nullptr));
  disk.Survey = take(read(okSurvey), static_cast<TSurvey*>(nullptr));
  disk.Subject = take(read(okSubject), static_cast<TSubject*>(nullptr));
  disk.Department = take(read(okDepartment), static_cast<TDepartment*>(nullptr));
  disk.Company = take(read(okCompany), static_cast<TCompany*>(nullptr));
  disk.CategoryName = top.GetText(std::string(kObjectElement[okScoreSheet]) + "/" + kRaterCategory);

  disk.ScoreSheet->Experience = disk.Experience.get();
  disk.Experience->SetSurvey(disk.Survey.get());
  disk.Experience->SetSubject(disk.Subject.get());
  disk.Experience->Department = disk.Department.get();
  disk.Department->Company = disk.Company.get();
  return disk;
}

void TSurveyMapper::WriteSurveyDiskAnswers(const std::string& file_name, const TScoreSheet& sheet) {
  // Read again from the file, so everything but the answers stays exactly as
  // the administration program wrote it; the category name, for one, cannot
  // be rebuilt from a disk's objects.
  TDocument document(0, file_name);
  TElement& top = document.FirstElement();
  TElement* e = top.FindElement(kObjectElement[okScoreSheet]);
  if (e == nullptr) e = &top.AddElement(kObjectElement[okScoreSheet]);
  e->SetReal(kDate, sheet.Date);
  e->SetText(kAnswersBuf, AnswersText(sheet));
  e->SetBool(kCompleted, sheet.Completed);
  e->SetInt(kAnswersEdited, sheet.AnswersEdited);
  // Save writes a temporary file and renames it over the old one.
  document.Save(file_name);
}

}  // namespace zelvora
