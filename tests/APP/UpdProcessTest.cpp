// The start-up update processing over the in-memory database: each section,
// replacement by ID, the exports and imports, and a package failing in the
// middle, which leaves its section and the later ones for the next start.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "APP/UpdControlFile.h"
#include "APP/UpdProcess.h"
#include "DB/MemoryDB.h"
#include "DB/Survobj.h"
#include "TempFolder.h"
#include "interchange/Parser.h"
#include "interchange/Unparser.h"
#include "interchange/XML.h"
#include "store/Compress.h"

namespace zelvora {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

// A snapshot of a library survey: what an import must carry over.
struct SurveyShape {
  TObjectID ID;
  std::string Name;
  std::vector<std::string> Lines;  // areas, questions, suggestions in order
  bool operator==(const SurveyShape&) const = default;
};

SurveyShape ShapeOf(TSurvey& survey, bool with_ids) {
  SurveyShape shape{with_ids ? survey.ID : TObjectID{}, survey.Name, {}};
  auto id = [with_ids](TSurvObject& o) { return with_ids ? o.ID.Text() + " " : std::string(); };
  TSkillAreaList& areas = survey.SkillAreas();
  for (int a = 0; a < areas.Count(); ++a) {
    TSkillArea* area = areas.Items(a);
    shape.Lines.push_back("A " + id(*area) + area->Name + "|" + area->QuestPrefix[0]);
    TQuestionList& questions = area->Questions();
    for (int q = 0; q < questions.Count(); ++q) {
      TQuestion* question = questions.Items(q);
      shape.Lines.push_back("Q " + id(*question) + question->QuestionText);
      TSuggestionList& suggestions = question->Suggestions();
      for (int s = 0; s < suggestions.Count(); ++s) {
        shape.Lines.push_back("S " + id(*suggestions.Items(s)) +
                              suggestions.Items(s)->SuggestionText);
      }
    }
  }
  return shape;
}

std::vector<SurveyShape> LibraryShapes(bool with_ids) {
  TDataRoot root;
  std::vector<SurveyShape> shapes;
  TSurveyList& surveys = root.LibrarySurveys();
  for (int i = 0; i < surveys.Count(); ++i) shapes.push_back(ShapeOf(*surveys.Items(i), with_ids));
  return shapes;
}

class UpdProcessTest : public ::testing::Test {
 protected:
  void SetUp() override { db_->Open(); }

  std::string File(const std::string& name) const { return folder_.File(name); }
  void Control(const std::string& text) { WriteBytes(File("Update2.INI"), text); }
  std::string ControlText() const { return ReadBytes(File("Update2.INI")); }

  // Without package folders: the starter library has tests of its own.
  TUpdateProcessor Processor() {
    return TUpdateProcessor(folder_.path().string(),
                            [this](const std::string& text) { notices_.push_back(text); }, {});
  }

  // Starts over with an empty database (another installation).
  void FreshDatabase(std::int32_t origin) {
    db_.reset();
    db_ = std::make_unique<TMemoryDB>(origin, 1);
    db_->Open();
  }

  // A library survey with two areas of two questions (the first with a
  // suggestion), a library skill area, and a company with one department
  // that has a survey of its own.
  void BuildContent() {
    TDataRoot root;
    auto survey = std::make_unique<TSurvey>();
    survey->Name = "Leadership";
    survey->Author = "Ann";
    TSurvey* stored = root.LibrarySurveys().Adopt(std::move(survey));
    for (int a = 0; a < 2; ++a) {
      auto area = std::make_unique<TSkillArea>();
      area->Name = "Area " + std::to_string(a);
      TSkillArea* added = stored->SkillAreas().Adopt(std::move(area));
      for (int q = 0; q < 2; ++q) {
        auto question = std::make_unique<TQuestion>();
        question->QuestionText = "Question " + std::to_string(a) + "." + std::to_string(q);
        TQuestion* qs = added->Questions().Adopt(std::move(question));
        if (q == 0) {
          auto suggestion = std::make_unique<TSuggestion>();
          suggestion->SuggestionText = "Practise " + std::to_string(a);
          qs->Suggestions().Adopt(std::move(suggestion));
        }
      }
    }
    auto area = std::make_unique<TSkillArea>();
    area->Name = "Loose area";
    root.LibrarySkillAreas().Adopt(std::move(area));
    auto company = std::make_unique<TCompany>();
    company->Name = "Acme";
    TCompany* acme = root.Companies().Adopt(std::move(company));
    auto department = std::make_unique<TDepartment>();
    department->Name = "Sales";
    TDepartment* sales = acme->Departments().Adopt(std::move(department));
    auto own = std::make_unique<TSurvey>();
    own->Name = "Sales survey";
    sales->Surveys().Adopt(std::move(own));
  }

  // The text package of `objects`, scrambled as packages are stored: each
  // byte XOR 254 (4,096-byte reads from position 0 all use key 1).
  void WritePackage(const std::string& name, const std::vector<TSurvObject*>& objects) {
    const std::string plain = File(name + ".plain");
    {
      TUnparser writer(plain, false);
      for (TSurvObject* object : objects) writer.DoUnparse(*object);
      writer.Close();
    }
    std::string bytes = ReadBytes(plain);
    for (char& c : bytes) c = static_cast<char>(c ^ 0xFE);
    WriteBytes(File(name), bytes);
  }

  testing::TempFolder folder_;
  std::unique_ptr<TMemoryDB> db_ = std::make_unique<TMemoryDB>(4242, 1);
  std::vector<std::string> notices_;
};

TEST_F(UpdProcessTest, EmptyLibraryGetsUserSkillAreasAndMissingControlFileIsNotCreated) {
  Processor().ProcessUpdates();
  {
    TDataRoot root;
    ASSERT_EQ(root.LibrarySurveys().Count(), 1);
    TSurvey* user = root.LibrarySurveys().Items(0);
    EXPECT_EQ(user->ID, (TObjectID{2, 1}));
    EXPECT_EQ(user->Name, "User Skill Areas");
    EXPECT_EQ(user->Author, "User");
    EXPECT_TRUE(user->FreqLabels.empty());
  }
  EXPECT_FALSE(std::filesystem::exists(File("Update2.INI")));
  // A second start adds nothing more.
  Processor().ProcessUpdates();
  TDataRoot root;
  EXPECT_EQ(root.LibrarySurveys().Count(), 1);
}

TEST_F(UpdProcessTest, ControlFileWithoutTheSectionsGetsTheFourHeaders) {
  BuildContent();
  Control("; comment\r\n[Other]\r\nkey=value\r\n");
  Processor().ProcessUpdates();
  EXPECT_EQ(
      ControlText(),
      "; comment\r\n[Other]\r\nkey=value\r\n[SURVEYS]\r\n[EXPORTS]\r\n[IMPORTS]\r\n[REMOVE]\r\n");
  EXPECT_TRUE(notices_.empty());
}

TEST_F(UpdProcessTest, TextPackagesReplaceByIDAddNewOnesAndNoticeOtherKinds) {
  BuildContent();
  TObjectID survey_id;
  {
    TDataRoot root;
    survey_id = root.LibrarySurveys().Items(0)->ID;
  }
  // The replacement: same ID, another name, one area with one question.
  auto replacement = std::make_unique<TSurvey>();
  replacement->ID = survey_id;
  replacement->State = osBuiltOutside;
  replacement->Name = "Leadership 2";
  auto area = std::make_unique<TSkillArea>();
  area->ID = TObjectID{77, 1};
  area->State = osBuiltOutside;
  area->Name = "Only area";
  auto question = std::make_unique<TQuestion>();
  question->ID = TObjectID{77, 2};
  question->State = osBuiltOutside;
  question->QuestionText = "Only question";
  area->Questions().Adopt(std::move(question));
  replacement->SkillAreas().Adopt(std::move(area));
  auto stray = std::make_unique<TDepartment>();
  stray->ID = TObjectID{77, 3};
  stray->State = osBuiltOutside;
  auto company = std::make_unique<TCompany>();
  company->ID = TObjectID{77, 4};
  company->State = osBuiltOutside;
  company->Name = "Newco";
  WritePackage("PKG.DAT", {replacement.get(), stray.get(), company.get()});

  const std::size_t questions_before = db_->RecordCount(okQuestion);
  Control("[SURVEYS]\r\nPKG.DAT\r\n[IMPORTS]\r\n");
  Processor().ProcessUpdates();

  EXPECT_EQ(notices_, std::vector<std::string>{"Unknown type: TDepartment"});
  EXPECT_EQ(ControlText(), "[SURVEYS]\r\n[IMPORTS]\r\n[EXPORTS]\r\n[REMOVE]\r\n");
  // The old subtree (four questions, two suggestions) is gone from the store.
  EXPECT_EQ(db_->RecordCount(okQuestion), questions_before - 4 + 1);
  EXPECT_EQ(db_->RecordCount(okSuggestion), 0u);
  EXPECT_FALSE(db_->HasRecord(okDepartment, TObjectID{77, 3}));
  TDataRoot root;
  ASSERT_EQ(root.LibrarySurveys().Count(), 1);
  TSurvey* survey = root.LibrarySurveys().Items(0);
  EXPECT_EQ(survey->Name, "Leadership 2");
  ASSERT_EQ(survey->SkillAreas().Count(), 1);
  EXPECT_EQ(survey->SkillAreas().Items(0)->Questions().Items(0)->QuestionText, "Only question");
  ASSERT_EQ(root.Companies().Count(), 2);
  EXPECT_NE(root.Companies().FindByID(TObjectID{77, 4}), nullptr);
}

TEST_F(UpdProcessTest, ExportsWriteTheSevenFilesAndIgnoreOtherNames) {
  BuildContent();
  Control(
      "[EXPORTS]\r\nall.xml\r\nCompanies.XML\r\nSURVEYS.XML\r\nSKILLAREAS.XML\r\n"
      "companies\r\nsurveys\r\nSkillAreas\r\nNOTHING\r\n");
  const std::int32_t serial = TUnparser::NextRenumberSerial();
  Processor().ProcessUpdates();
  EXPECT_EQ(ControlText(), "[EXPORTS]\r\n[SURVEYS]\r\n[IMPORTS]\r\n[REMOVE]\r\n");
  for (const char* name : {"ALL.XML", "COMPANIES.XML", "SURVEYS.XML", "SKILLAREAS.XML", "COMP1.DAT",
                           "SURV1.DAT", "SKIL1.DAT"}) {
    EXPECT_TRUE(std::filesystem::exists(File(name))) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(File("NOTHING")));

  auto all = TDocument::FromBytes(ReadBytes(File("ALL.XML")));
  EXPECT_EQ(all->FirstElement().Name(), "TDataRoot");
  EXPECT_EQ(TDocument::FromBytes(ReadBytes(File("COMPANIES.XML")))->FirstElement().Name(),
            "TCompanyList");
  auto surveys = TDocument::FromBytes(ReadBytes(File("SURVEYS.XML")));
  EXPECT_EQ(surveys->FirstElement().Name(), "TSurveyList");
  EXPECT_EQ(surveys->FirstElement().Elements().Count(), 1u);
  EXPECT_EQ(TDocument::FromBytes(ReadBytes(File("SKILLAREAS.XML")))->FirstElement().Name(),
            "TSkillAreaList");

  // The companies' text keeps the IDs and carries departments and surveys.
  const std::string companies = ReadBytes(File("COMP1.DAT"));
  TDataRoot root;
  TCompany* acme = root.Companies().Items(0);
  EXPECT_NE(companies.find("object TCompany\r\n  ID " + acme->ID.Text() + "\r\n"),
            std::string::npos);
  EXPECT_NE(companies.find("    object TSurvey\r\n"), std::string::npos);
  EXPECT_NE(companies.find("Name 'Sales survey\r\n"), std::string::npos);
  // Survey then skill areas: both renumbered from the shared counter
  // (survey, 2 areas, 4 questions, 2 suggestions = 9 IDs, then the area).
  const std::string library = ReadBytes(File("SURV1.DAT"));
  EXPECT_TRUE(library.starts_with("object TSurvey\r\n  ID 1." + std::to_string(serial) + "\r\n"));
  const std::string areas = ReadBytes(File("SKIL1.DAT"));
  EXPECT_TRUE(
      areas.starts_with("object TSkillArea\r\n  ID 1." + std::to_string(serial + 9) + "\r\n"));
}

TEST_F(UpdProcessTest, SurveysXmlImportedIntoAFreshDatabaseGivesEqualSurveys) {
  BuildContent();
  ASSERT_TRUE(Processor().Export(*std::make_unique<TDataRoot>(), "SURVEYS.XML"));
  const auto original = LibraryShapes(true);

  FreshDatabase(5151);
  Control("[IMPORTS]\r\nSURVEYS.XML\r\n");
  Processor().ProcessUpdates();
  // The built-in survey came first, then the imported one.
  auto shapes = LibraryShapes(true);
  ASSERT_EQ(shapes.size(), 2u);
  EXPECT_EQ(shapes[0].Name, "User Skill Areas");
  EXPECT_EQ(shapes[1], original[0]);
  EXPECT_EQ(ControlText(), "[IMPORTS]\r\n[SURVEYS]\r\n[EXPORTS]\r\n[REMOVE]\r\n");
}

TEST_F(UpdProcessTest, ScrambledSurveysExportImportedElsewhereKeepsNamesAndTexts) {
  BuildContent();
  TDataRoot source;
  ASSERT_TRUE(Processor().Export(source, "SURVEYS"));
  const auto original = LibraryShapes(false);
  std::string bytes = ReadBytes(File("SURV1.DAT"));
  for (char& c : bytes) c = static_cast<char>(c ^ 0xFE);
  WriteBytes(File("SURV1.DAT"), bytes);

  FreshDatabase(5252);
  Control("[SURVEYS]\r\nSURV1.DAT\r\n");
  Processor().ProcessUpdates();
  auto shapes = LibraryShapes(false);
  ASSERT_EQ(shapes.size(), 2u);
  EXPECT_EQ(shapes[1], original[0]);
  TDataRoot root;
  EXPECT_EQ(root.LibrarySurveys().Items(1)->ID.Origin, TUnparser::kRenumberOrigin);
}

TEST_F(UpdProcessTest, ArchivedDocumentImportsAndAllXmlIsRefused) {
  BuildContent();
  TDataRoot root;
  ASSERT_TRUE(Processor().Export(root, "SKILLAREAS.XML"));
  std::filesystem::rename(File("SKILLAREAS.XML"), File("PACK.xml"));
  ASSERT_TRUE(TCompress().CompressFiles(File("PACK.Z"), folder_.path(), {File("PACK.xml")},
                                        TCompress::kMethodLh5));
  std::filesystem::remove(File("PACK.xml"));

  FreshDatabase(5353);
  Control("[IMPORTS]\r\nPACK.Z\r\n");
  Processor().ProcessUpdates();
  {
    TDataRoot fresh;
    ASSERT_EQ(fresh.LibrarySkillAreas().Count(), 1);
    EXPECT_EQ(fresh.LibrarySkillAreas().Items(0)->Name, "Loose area");
  }

  // The data root's children are property elements: the first one fails.
  FreshDatabase(5454);
  BuildContent();
  TDataRoot again;
  ASSERT_TRUE(Processor().Export(again, "ALL.XML"));
  Control("[IMPORTS]\r\nALL.XML\r\n");
  try {
    Processor().ProcessUpdates();
    FAIL() << "ALL.XML was imported";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "NewType: Unknown type");
  }
  EXPECT_EQ(ControlText(), "[IMPORTS]\r\nALL.XML\r\n[SURVEYS]\r\n[EXPORTS]\r\n");
}

TEST_F(UpdProcessTest, RemoveTakesLibrarySurveysByIDAndSkipsOtherEntries) {
  BuildContent();
  TObjectID id;
  {
    TDataRoot root;
    id = root.LibrarySurveys().Items(0)->ID;
  }
  Control("[REMOVE]\r\nx.y\r\n-1.5\r\n99.99\r\n" + id.Text() + "\r\n\r\n" + id.Text() + "\r\n");
  Processor().ProcessUpdates();
  EXPECT_EQ(ControlText(), "[REMOVE]\r\n[SURVEYS]\r\n[EXPORTS]\r\n[IMPORTS]\r\n");
  EXPECT_FALSE(db_->HasRecord(okSurvey, id));
  EXPECT_EQ(db_->RecordCount(okQuestion), 0u);
  TDataRoot root;
  EXPECT_EQ(root.LibrarySurveys().Count(), 0);
  EXPECT_EQ(root.Companies().Count(), 1);  // department surveys are not library surveys
}

TEST_F(UpdProcessTest, FailingPackageInTheMiddleLeavesItsSectionAndTheLaterOnes) {
  BuildContent();
  TDataRoot source;
  ASSERT_TRUE(Processor().Export(source, "SKILLAREAS.XML"));
  TObjectID area_id = source.LibrarySkillAreas().Items(0)->ID;
  TObjectID survey_id = source.LibrarySurveys().Items(0)->ID;

  FreshDatabase(5555);
  Control(
      "[SURVEYS]\r\n[EXPORTS]\r\nSURVEYS.XML\r\n[IMPORTS]\r\nSKILLAREAS.XML\r\nMISSING.XML\r\n"
      "SKILLAREAS.XML\r\n[REMOVE]\r\n" +
      survey_id.Text() + "\r\n[Other]\r\nkept\r\n");
  EXPECT_THROW(Processor().ProcessUpdates(), std::runtime_error);
  // Sections done are empty; the failing one and the later one keep all.
  EXPECT_EQ(ControlText(),
            "[SURVEYS]\r\n[EXPORTS]\r\n[IMPORTS]\r\nSKILLAREAS.XML\r\nMISSING.XML\r\n"
            "SKILLAREAS.XML\r\n[REMOVE]\r\n" +
                survey_id.Text() + "\r\n[Other]\r\nkept\r\n");
  EXPECT_TRUE(std::filesystem::exists(File("SURVEYS.XML")));
  // The import before the failure stays.
  EXPECT_TRUE(db_->HasRecord(okSkillArea, area_id));

  // Once the file is there, the next start completes the rest.
  std::filesystem::copy_file(File("SKILLAREAS.XML"), File("MISSING.XML"));
  Processor().ProcessUpdates();
  EXPECT_EQ(ControlText(),
            "[SURVEYS]\r\n[EXPORTS]\r\n[IMPORTS]\r\n[REMOVE]\r\n[Other]\r\nkept\r\n");
  TDataRoot root;
  EXPECT_EQ(root.LibrarySkillAreas().Count(), 1);
}

TEST_F(UpdProcessTest, EmptyEntryOrDamagedPackageStopsProcessing) {
  Control("[SURVEYS]\r\n\r\n[EXPORTS]\r\nSURVEYS\r\n");
  EXPECT_THROW(Processor().ProcessUpdates(), std::exception);
  EXPECT_EQ(ControlText(), "[SURVEYS]\r\n\r\n[EXPORTS]\r\nSURVEYS\r\n");
  EXPECT_FALSE(std::filesystem::exists(File("SURV1.DAT")));

  // A package that does not parse: the parser's message passes through.
  std::string bytes = "object TSurvey\r\n  Name 'x\r\n";  // no end
  for (char& c : bytes) c = static_cast<char>(c ^ 0xFE);
  WriteBytes(File("BAD.DAT"), bytes);
  Control("[SURVEYS]\r\nBAD.DAT\r\n");
  try {
    Processor().ProcessUpdates();
    FAIL() << "a damaged package was accepted";
  } catch (const EParseError& e) {
    EXPECT_FALSE(std::string(e.what()).empty());
  }
  EXPECT_EQ(ControlText(), "[SURVEYS]\r\nBAD.DAT\r\n");
  TDataRoot root;
  EXPECT_EQ(root.LibrarySurveys().Count(), 1);  // only the built-in survey
}

}  // namespace
}  // namespace zelvora
