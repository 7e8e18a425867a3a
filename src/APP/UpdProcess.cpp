#include "APP/UpdProcess.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>

#include "APP/ShippedFiles.h"
#include "APP/UpdControlFile.h"
#include "DB/Survobj.h"
#include "base/Text.h"
#include "interchange/Parser.h"
#include "interchange/ScrmStrm.h"
#include "interchange/SurvMap.h"
#include "interchange/Unparser.h"
#include "interchange/XML.h"
#include "store/Compress.h"

namespace zelvora {
namespace {

constexpr const char* kSectionSurveys = "SURVEYS";
constexpr const char* kSectionExports = "EXPORTS";
constexpr const char* kSectionImports = "IMPORTS";
constexpr const char* kSectionRemove = "REMOVE";

// A whole decimal integer, or -1.
std::int32_t DecimalOrMinusOne(std::string_view text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return -1;
  return value;
}

template <class L, class T>
void ReplaceIn(L& list, std::unique_ptr<T> object) {
  list.Count();  // loads the list before looking into it
  if (T* old = list.FindByID(object->ID)) list.Remove(old);
  list.Adopt(std::move(object));
}

// Subjects, experiences and score sheets of a company: those stored under
// it, or those a package carries.
struct TAnswerHolders {
  std::set<std::string> Subjects;
  std::set<std::string> Experiences;
  std::set<std::string> ScoreSheets;
};

TAnswerHolders AnswerHoldersOf(TCompany& company) {
  TAnswerHolders holders;
  TDepartmentList& departments = company.Departments();
  for (int d = 0; d < departments.Size(); ++d) {
    TDepartment& department = *departments.At(d);
    TSubjectList& subjects = department.Subjects();
    for (int s = 0; s < subjects.Size(); ++s) holders.Subjects.insert(subjects.At(s)->ID.Key());
    TExperienceList& experiences = department.Experiences();
    for (int e = 0; e < experiences.Size(); ++e) {
      TExperience& experience = *experiences.At(e);
      holders.Experiences.insert(experience.ID.Key());
      TScoreSheetList& sheets = experience.ScoreSheets();
      for (int k = 0; k < sheets.Size(); ++k) holders.ScoreSheets.insert(sheets.At(k)->ID.Key());
    }
  }
  return holders;
}

std::size_t Missing(const std::set<std::string>& stored, const std::set<std::string>& carried) {
  std::size_t count = 0;
  for (const std::string& id : stored) count += carried.count(id) == 0 ? 1 : 0;
  return count;
}

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

template <class T>
std::unique_ptr<T> Downcast(std::unique_ptr<TSurvObject>& object) {
  return std::unique_ptr<T>(static_cast<T*>(object.release()));
}

// An XML export saved when the document is freed; Close reports failures.
void SaveXml(const std::string& path, const std::function<void(TDocument&)>& fill) {
  TDocument document(kXmlNoRead | kXmlSaveOnClose, path);
  fill(document);
  document.Close();
}

template <class L>
void WriteText(const std::string& path, L& list, bool renumber) {
  TUnparser writer(path, renumber);
  for (int i = 0; i < list.Count(); ++i) writer.DoUnparse(*list.Items(i));
  writer.Close();
}

TSurvey* FindByName(TSurveyList& list, std::string_view name) {
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Items(i)->Name == name) return list.Items(i);
  }
  return nullptr;
}

// The built-in instrument's certified questions are its locked ones.
void LockCertifiedQuestions(TSurvey& survey) {
  TSkillAreaList& areas = survey.SkillAreas();
  for (int a = 0; a < areas.Count(); ++a) {
    TQuestionList& questions = areas.Items(a)->Questions();
    for (int q = 0; q < questions.Count(); ++q) {
      TQuestion* question = questions.Items(q);
      if (question->Suggestions().Count() > 0) question->Locked = true;
    }
  }
}

}  // namespace

std::vector<std::string> DefaultPackageFolders() {
  const std::string program_folder = RunningProgramFolder();
  std::vector<std::string> folders;
  if (!program_folder.empty()) folders = ShippedFileFolders(program_folder);
#ifdef ZELVORA_INSTALL_SHARE_DIR
  folders.push_back(ZELVORA_INSTALL_SHARE_DIR);
#endif
  return folders;
}

TUpdateProcessor::TUpdateProcessor(std::string folder, TNotice notice,
                                   std::vector<std::string> package_folders)
    : folder_(std::move(folder)),
      notice_(std::move(notice)),
      package_folders_(std::move(package_folders)) {}

std::string TUpdateProcessor::PathOf(const std::string& entry) const {
  return (std::filesystem::path(folder_) / entry).string();
}

void TUpdateProcessor::ProcessUpdates() {
  TUpdControlFile control((std::filesystem::path(folder_) / kUpdateControlFileName).string());
  // Written back however processing ends: the sections done are empty.
  auto write_back = [&control] {
    if (control.Exists()) control.Save();
  };
  try {
    TDataRoot root;
    // "User Skill Areas" first: it is only added to a library without any
    // survey.
    root.AddBuiltInSurveys();
    AddStandardSkillAreas(root);

    for (const std::string& entry : control.Entries(kSectionSurveys)) {
      ImportTextPackage(root, entry);
    }
    control.Clear(kSectionSurveys);
    for (const std::string& entry : control.Entries(kSectionExports)) Export(root, entry);
    control.Clear(kSectionExports);
    for (const std::string& entry : control.Entries(kSectionImports)) {
      ImportXmlPackage(root, entry);
    }
    control.Clear(kSectionImports);
    for (const std::string& entry : control.Entries(kSectionRemove)) RemoveSurvey(root, entry);
    control.Clear(kSectionRemove);
  } catch (...) {
    write_back();
    throw;
  }
  write_back();
}

bool TUpdateProcessor::HasPendingUpdates() const {
  const TUpdControlFile control((std::filesystem::path(folder_) / kUpdateControlFileName).string());
  for (const char* section : {kSectionSurveys, kSectionExports, kSectionImports, kSectionRemove}) {
    if (!control.Entries(section).empty()) return true;
  }
  return false;
}

void TUpdateProcessor::Replace(TDataRoot& root, std::unique_ptr<TSurvObject> object) {
  switch (object->Kind()) {
    case okCompany: {
      std::unique_ptr<TCompany> company = Downcast<TCompany>(object);
      TCompanyList& companies = root.Companies();
      companies.Count();
      if (TCompany* old = companies.FindByID(company->ID)) {
        // Replacing deletes the whole stored subtree; what the package does
        // not bring back would be gone.
        const TAnswerHolders stored = AnswerHoldersOf(*old);
        const TAnswerHolders carried = AnswerHoldersOf(*company);
        const std::size_t subjects = Missing(stored.Subjects, carried.Subjects);
        const std::size_t experiences = Missing(stored.Experiences, carried.Experiences);
        const std::size_t sheets = Missing(stored.ScoreSheets, carried.ScoreSheets);
        if (subjects + experiences + sheets > 0) {
          ++refused_;
          Notice("The company \"" + old->Name + "\" (" + old->ID.Text() +
                 ") was not replaced: replacing it would delete " +
                 Counted(subjects, "subject", "subjects") + ", " +
                 Counted(experiences, "experience", "experiences") + " and " +
                 Counted(sheets, "score sheet", "score sheets") +
                 " that the package does not hold.");
          break;
        }
      }
      ReplaceIn(companies, std::move(company));
      break;
    }
    case okSurvey:
      ReplaceIn(root.LibrarySurveys(), Downcast<TSurvey>(object));
      break;
    case okSkillArea:
      ReplaceIn(root.LibrarySkillAreas(), Downcast<TSkillArea>(object));
      break;
    default:
      Notice(std::string("Unknown type: ") + object->ClassName());
      break;
  }
}

std::string TUpdateProcessor::FindStandardSkillAreasPackage() const {
  for (const std::string& folder : package_folders_) {
    const std::filesystem::path path = std::filesystem::path(folder) / kStandardSkillAreasFileName;
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) return path.string();
  }
  return std::string();
}

bool TUpdateProcessor::AddStandardSkillAreas(TDataRoot& root) {
  TSurveyList& library = root.LibrarySurveys();
  if (FindByName(library, kStandardSkillAreasName) != nullptr || package_folders_.empty()) {
    return false;
  }
  const std::string path = FindStandardSkillAreasPackage();
  if (path.empty()) {
    Notice(std::string("The starter library \"") + kStandardSkillAreasFileName +
           "\" was not found; \"" + kStandardSkillAreasName + "\" was not added.");
    return false;
  }
  std::vector<std::unique_ptr<TSurvObject>> objects;
  try {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("Cannot open file \"" + path + "\"");
    TParser parser(in);
    parser.DoParse();
    objects = parser.TakeObjects();
  } catch (const std::exception& error) {
    Notice(std::string("The starter library \"") + path + "\" cannot be read: " + error.what());
    return false;
  }
  std::unique_ptr<TSurvey> survey;
  for (auto& object : objects) {
    if (object->Kind() != okSurvey || object->ID.Origin < 0 ||
        object->ID.Origin > kLastBuiltInOrigin)
      continue;
    if (static_cast<TSurvey&>(*object).Name == kStandardSkillAreasName) {
      survey = Downcast<TSurvey>(object);
      break;
    }
  }
  if (!survey) {
    Notice(std::string("The starter library \"") + path + "\" holds no built-in \"" +
           kStandardSkillAreasName + "\" survey.");
    return false;
  }
  // A survey of that ID under another name is the same instrument, renamed.
  if (library.FindByID(survey->ID) != nullptr) return false;
  LockCertifiedQuestions(*survey);
  library.Adopt(std::move(survey));
  return true;
}

void TUpdateProcessor::ImportTextPackage(TDataRoot& root, const std::string& entry) {
  TScrambledStream stream(PathOf(entry), TScrambledStream::Mode::kOpenRead);
  TParser parser(stream);
  parser.DoParse();
  for (auto& object : parser.TakeObjects()) Replace(root, std::move(object));
}

bool TUpdateProcessor::IsExportName(std::string_view name) {
  const std::string upper = UpperCase(name);
  for (const char* known : {"ALL.XML", "COMPANIES.XML", "SURVEYS.XML", "SKILLAREAS.XML",
                            "COMPANIES", "SURVEYS", "SKILLAREAS"}) {
    if (upper == known) return true;
  }
  return false;
}

bool TUpdateProcessor::Export(TDataRoot& root, std::string_view name) {
  const std::string upper = UpperCase(name);
  if (upper == "ALL.XML") {
    SaveXml(PathOf("ALL.XML"), [&root](TDocument& d) { TSurveyMapper().WriteObject(root, d); });
  } else if (upper == "COMPANIES.XML") {
    SaveXml(PathOf("COMPANIES.XML"),
            [&root](TDocument& d) { TSurveyMapper().WriteList(root.Companies(), d); });
  } else if (upper == "SURVEYS.XML") {
    SaveXml(PathOf("SURVEYS.XML"),
            [&root](TDocument& d) { TSurveyMapper().WriteList(root.LibrarySurveys(), d); });
  } else if (upper == "SKILLAREAS.XML") {
    SaveXml(PathOf("SKILLAREAS.XML"),
            [&root](TDocument& d) { TSurveyMapper().WriteList(root.LibrarySkillAreas(), d); });
  } else if (upper == "COMPANIES") {
    // The companies are written with their departments and the surveys of
    // each department, under their own IDs.
    WriteText(PathOf("COMP1.DAT"), root.Companies(), false);
  } else if (upper == "SURVEYS") {
    WriteText(PathOf("SURV1.DAT"), root.LibrarySurveys(), true);
  } else if (upper == "SKILLAREAS") {
    WriteText(PathOf("SKIL1.DAT"), root.LibrarySkillAreas(), true);
  } else {
    return false;
  }
  return true;
}

void TUpdateProcessor::ImportXmlPackage(TDataRoot& root, const std::string& entry) {
  std::string bytes;
  std::filesystem::path path(entry);
  if (UpperCase(path.extension().string()) == ".Z") {
    std::ostringstream member;
    TCompress().ExtractToMemory(PathOf(entry), path.filename().replace_extension(".xml").string(),
                                member);
    bytes = member.str();
  } else {
    const std::string full = PathOf(entry);
    std::ifstream in(full, std::ios::binary);
    std::error_code ec;
    if (std::filesystem::is_directory(full, ec)) {
      throw std::runtime_error("Cannot open file \"" + full + "\": it is a folder");
    }
    if (!in) {
      throw std::runtime_error("Cannot open file \"" + full + "\"");
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("Cannot read file \"" + full + "\"");
  }
  std::unique_ptr<TDocument> document = TDocument::FromBytes(bytes);
  const TElement& top = document->FirstElement();
  TSurveyMapper mapper;
  for (const TElement* child : top.Elements()) Replace(root, mapper.ReadObject(*child));
}

bool TUpdateProcessor::RemoveSurvey(TDataRoot& root, std::string_view entry) {
  const std::size_t dot = entry.find('.');
  const std::string_view origin_text = entry.substr(0, dot);
  const std::string_view serial_text =
      dot == std::string_view::npos ? std::string_view() : entry.substr(dot + 1);
  const TObjectID id{DecimalOrMinusOne(origin_text), DecimalOrMinusOne(serial_text)};
  if (id.Origin < 0 || id.Serial < 0) return false;
  TSurveyList& surveys = root.LibrarySurveys();
  surveys.Count();
  TSurvey* survey = surveys.FindByID(id);
  if (survey == nullptr) return false;
  surveys.Remove(survey);
  return true;
}

}  // namespace zelvora
