#include "DB/MemoryDB.h"

#include <algorithm>
#include <array>

#include "DB/Survobj.h"
#include "base/Cp1252.h"

namespace zelvora {
namespace {

// Text widths of the stored records; longer texts are cut when written.
constexpr std::size_t kNameChars = 35;
constexpr std::size_t kSkillAreaNameChars = 40;
constexpr std::size_t kFreqLabelsChars = 255;
constexpr std::size_t kQuestionTextChars = 300;
constexpr std::size_t kSuggestionTextChars = 500;

std::string Cut(const std::string& text, std::size_t chars) { return CutToChars(text, chars); }

TObjectID IDOf(const TSurvObject* object) { return object ? object->ID : TObjectID{}; }

// Field copies: what a record of each kind keeps, cut to the record widths.
void CopyFields(const TCompany& from, TCompany& to) {
  to.Name = Cut(from.Name, kNameChars);
  to.Categories = Cut(from.Categories, kCategoriesMaxChars);
  to.LastCategoryNumber = from.LastCategoryNumber;
}
void CopyFields(const TDepartment& from, TDepartment& to) { to.Name = Cut(from.Name, kNameChars); }
void CopyFields(const TSubject& from, TSubject& to) { to.Name = Cut(from.Name, kNameChars); }
void CopyFields(const TRater& from, TRater& to) { to.Name = Cut(from.Name, kNameChars); }
void CopyFields(const TExperience& from, TExperience& to) {
  to.SubjectID = from.SubjectID;
  to.SurveyID = from.SurveyID;
  to.ExperienceDate = from.ExperienceDate;
  to.ScoreSheetsDeleted = from.ScoreSheetsDeleted;
}
void CopyFields(const TScoreSheet& from, TScoreSheet& to) {
  to.RaterName = Cut(from.RaterName, kNameChars);
  to.RaterCategory = from.RaterCategory;
  to.AnswersBuf = from.AnswersBuf;
  to.Completed = from.Completed;
  to.AnswersEdited = from.AnswersEdited;
}
void CopyFields(const TSurvey& from, TSurvey& to) {
  to.Name = Cut(from.Name, kNameChars);
  to.Author = Cut(from.Author, kNameChars);
  to.AnsPerQ = from.AnsPerQ;
  to.SetFreqLabelsText(Cut(from.FreqLabelsText(), kFreqLabelsChars));
  to.HasCompletedSheets = from.HasCompletedSheets;
}
void CopyFields(const TSkillArea& from, TSkillArea& to) {
  to.Name = Cut(from.Name, kSkillAreaNameChars);
  for (std::size_t i = 0; i < from.QuestPrefix.size(); ++i) {
    to.QuestPrefix[i] = Cut(from.QuestPrefix[i], kQuestPrefixMaxChars);
  }
  to.Order = from.Order;
}
void CopyFields(const TQuestion& from, TQuestion& to) {
  to.QuestionText = Cut(from.QuestionText, kQuestionTextChars);
  to.CRC = from.CRC;
  to.Locked = from.Locked;
  to.Order = from.Order;
}
void CopyFields(const TSuggestion& from, TSuggestion& to) {
  to.SuggestionText = Cut(from.SuggestionText, kSuggestionTextChars);
  to.CRC = from.CRC;
  to.Order = from.Order;
}

// The parent ID a record is filed under, from the owner reference.
TObjectID ParentID(const TCompany&) { return TObjectID{}; }
TObjectID ParentID(const TDepartment& o) { return IDOf(o.Company); }
TObjectID ParentID(const TSubject& o) { return IDOf(o.Department); }
TObjectID ParentID(const TRater& o) { return IDOf(o.Company); }
TObjectID ParentID(const TExperience& o) { return IDOf(o.Department); }
TObjectID ParentID(const TScoreSheet& o) { return IDOf(o.Experience); }
TObjectID ParentID(const TSurvey& o) { return IDOf(o.Department); }
TObjectID ParentID(const TSkillArea& o) { return IDOf(o.Survey); }
TObjectID ParentID(const TQuestion& o) { return IDOf(o.SkillArea); }
TObjectID ParentID(const TSuggestion& o) { return IDOf(o.Question); }

// Departments, surveys and skill areas keep the parent stored in their
// record when they are updated; the other kinds move with their owner.
bool KeepsStoredParent(int kind) {
  return kind == okDepartment || kind == okSurvey || kind == okSkillArea;
}

}  // namespace

struct TMemoryDB::Impl {
  struct Record {
    TObjectID Parent;
    std::uint64_t Seq = 0;
    std::unique_ptr<TSurvObject> Image;
  };
  // Records per kind code (1 to 10), by key text of the ID, so that walking
  // a map gives the key order of the record store's index.
  std::array<std::map<std::string, Record>, 11> Files;
  std::uint64_t NextSeq = 1;

  template <class T>
  bool Insert(T& object) {
    object.State = osStored;
    auto& file = Files[static_cast<std::size_t>(object.Kind())];
    const std::string key = object.ID.Key();
    if (file.count(key) != 0) return false;
    auto image = std::make_unique<T>();
    image->ID = object.ID;
    image->Date = object.Date;
    CopyFields(object, *image);
    file[key] = Record{ParentID(object), NextSeq++, std::move(image)};
    return true;
  }

  template <class T>
  void Delete(T& object) {
    Files[static_cast<std::size_t>(object.Kind())].erase(object.ID.Key());
  }

  template <class T>
  void Update(T& object) {
    auto& file = Files[static_cast<std::size_t>(object.Kind())];
    const auto it = file.find(object.ID.Key());
    if (it == file.end()) {
      Insert(object);
      return;
    }
    Record& record = it->second;
    if (object.Date - record.Image->Date <= 0) return;  // stored is as new or newer
    auto image = std::make_unique<T>();
    image->ID = object.ID;
    image->Date = object.Date;
    CopyFields(object, *image);
    record.Image = std::move(image);
    if (!KeepsStoredParent(object.Kind())) {
      const TObjectID parent = ParentID(object);
      if (!(parent == record.Parent)) {
        record.Parent = parent;
        record.Seq = NextSeq++;  // re-keyed: it now comes last among its siblings
      }
    }
    object.State = osStored;
  }

  // Appends a fresh object for every record filed under `parent`, in the
  // order the records were filed.
  template <class T, class L>
  void LoadChildren(int kind, const TObjectID& parent, L& list) {
    std::vector<const Record*> found;
    for (const auto& [key, record] : Files[static_cast<std::size_t>(kind)]) {
      if (record.Parent == parent) found.push_back(&record);
    }
    std::sort(found.begin(), found.end(), [](const Record* a, const Record* b) { return a->Seq < b->Seq; });
    for (const Record* record : found) list.Adopt(Restore<T>(*record));
  }

  template <class T>
  static std::unique_ptr<T> Restore(const Record& record) {
    const auto& image = static_cast<const T&>(*record.Image);
    auto object = std::make_unique<T>();
    object->ID = image.ID;
    object->Date = image.Date;
    CopyFields(image, *object);
    object->State = osStored;
    return object;
  }
};

TMemoryDB::TMemoryDB() : TMemoryDB(ChooseRandomOrigin(), 1) {}

TMemoryDB::TMemoryDB(std::int32_t origin, std::int32_t first_serial)
    : FCounter(origin, first_serial), FIDs(FCounter), FImpl(std::make_unique<Impl>()) {}

TMemoryDB::~TMemoryDB() { Close(); }

void TMemoryDB::Open() {
  if (FOpen) return;
  FOpen = true;
  BecomeOpen();
}

void TMemoryDB::Close() {
  if (!FOpen) return;
  FOpen = false;
  BecomeClosed();
}

void TMemoryDB::LoadCompanies(TCompanyList& list) {
  std::vector<std::unique_ptr<TCompany>> companies;
  for (const auto& [key, record] : FImpl->Files[okCompany]) {
    companies.push_back(Impl::Restore<TCompany>(record));
  }
  for (auto& company : companies) list.Adopt(std::move(company));
}
void TMemoryDB::LoadDepartments(const TObjectID& company, TDepartmentList& list) {
  FImpl->LoadChildren<TDepartment>(okDepartment, company, list);
}
void TMemoryDB::LoadSubjects(const TObjectID& department, TSubjectList& list) {
  FImpl->LoadChildren<TSubject>(okSubject, department, list);
}
void TMemoryDB::LoadExperiences(const TObjectID& department, TExperienceList& list) {
  FImpl->LoadChildren<TExperience>(okExperience, department, list);
}
void TMemoryDB::LoadScoreSheets(const TObjectID& experience, TScoreSheetList& list) {
  FImpl->LoadChildren<TScoreSheet>(okScoreSheet, experience, list);
}
void TMemoryDB::LoadSkillAreas(const TObjectID& survey, TSkillAreaList& list) {
  FImpl->LoadChildren<TSkillArea>(okSkillArea, survey, list);
}
void TMemoryDB::LoadSurveys(const TObjectID& department, TSurveyList& list) {
  FImpl->LoadChildren<TSurvey>(okSurvey, department, list);
}
void TMemoryDB::LoadQuestions(const TObjectID& skill_area, TQuestionList& list) {
  FImpl->LoadChildren<TQuestion>(okQuestion, skill_area, list);
}
void TMemoryDB::LoadSuggestions(const TObjectID& question, TSuggestionList& list) {
  FImpl->LoadChildren<TSuggestion>(okSuggestion, question, list);
}
void TMemoryDB::LoadRaters(const TObjectID& company, TRaterList& list) {
  FImpl->LoadChildren<TRater>(okRater, company, list);
}

bool TMemoryDB::Insert(TCompany& o) { return FImpl->Insert(o); }
bool TMemoryDB::Insert(TDepartment& o) { return FImpl->Insert(o); }
bool TMemoryDB::Insert(TSubject& o) { return FImpl->Insert(o); }
bool TMemoryDB::Insert(TExperience& o) { return FImpl->Insert(o); }
bool TMemoryDB::Insert(TScoreSheet& o) { return FImpl->Insert(o); }
bool TMemoryDB::Insert(TSkillArea& o) { return FImpl->Insert(o); }
bool TMemoryDB::Insert(TSurvey& o) { return FImpl->Insert(o); }
bool TMemoryDB::Insert(TQuestion& o) { return FImpl->Insert(o); }
bool TMemoryDB::Insert(TSuggestion& o) { return FImpl->Insert(o); }
bool TMemoryDB::Insert(TRater& o) { return FImpl->Insert(o); }

void TMemoryDB::Delete(TCompany& o) { FImpl->Delete(o); }
void TMemoryDB::Delete(TDepartment& o) { FImpl->Delete(o); }
void TMemoryDB::Delete(TSubject& o) { FImpl->Delete(o); }
void TMemoryDB::Delete(TExperience& o) { FImpl->Delete(o); }
void TMemoryDB::Delete(TScoreSheet& o) { FImpl->Delete(o); }
void TMemoryDB::Delete(TSkillArea& o) { FImpl->Delete(o); }
void TMemoryDB::Delete(TSurvey& o) { FImpl->Delete(o); }
void TMemoryDB::Delete(TQuestion& o) { FImpl->Delete(o); }
void TMemoryDB::Delete(TSuggestion& o) { FImpl->Delete(o); }
void TMemoryDB::Delete(TRater& o) { FImpl->Delete(o); }

void TMemoryDB::Update(TCompany& o) { FImpl->Update(o); }
void TMemoryDB::Update(TDepartment& o) { FImpl->Update(o); }
void TMemoryDB::Update(TSubject& o) { FImpl->Update(o); }
void TMemoryDB::Update(TExperience& o) { FImpl->Update(o); }
void TMemoryDB::Update(TScoreSheet& o) { FImpl->Update(o); }
void TMemoryDB::Update(TSkillArea& o) { FImpl->Update(o); }
void TMemoryDB::Update(TSurvey& o) { FImpl->Update(o); }
void TMemoryDB::Update(TQuestion& o) { FImpl->Update(o); }
void TMemoryDB::Update(TSuggestion& o) { FImpl->Update(o); }
void TMemoryDB::Update(TRater& o) { FImpl->Update(o); }

TObjectID TMemoryDB::NextID() { return FIDs.NextID(); }
void TMemoryDB::ReserveIDs(int count) { FIDs.ReserveIDs(count); }
int TMemoryDB::ReservedIDs() const { return FIDs.Reserved(); }

std::size_t TMemoryDB::RecordCount(int kind) const {
  if (kind < 1 || kind > 10) return 0;
  return FImpl->Files[static_cast<std::size_t>(kind)].size();
}

bool TMemoryDB::HasRecord(int kind, const TObjectID& id) const {
  if (kind < 1 || kind > 10) return false;
  return FImpl->Files[static_cast<std::size_t>(kind)].count(id.Key()) != 0;
}

TObjectID TMemoryDB::ParentOf(int kind, const TObjectID& id) const {
  if (kind < 1 || kind > 10) return TObjectID{};
  const auto& file = FImpl->Files[static_cast<std::size_t>(kind)];
  const auto it = file.find(id.Key());
  return it == file.end() ? TObjectID{} : it->second.Parent;
}

double TMemoryDB::StoredDate(int kind, const TObjectID& id) const {
  if (kind < 1 || kind > 10) return 0.0;
  const auto& file = FImpl->Files[static_cast<std::size_t>(kind)];
  const auto it = file.find(id.Key());
  return it == file.end() ? 0.0 : it->second.Image->Date;
}

}  // namespace zelvora
