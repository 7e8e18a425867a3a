// The survey-disk document "dtf.xml": its exact bytes for a demo score sheet,
// reading it back into a linked chain, and damaged or partial disks.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "DB/MemoryDB.h"
#include "DB/Survobj.h"
#include "interchange/SurvMap.h"
#include "interchange/SurvMapTestDemo.h"
#include "interchange/XML.h"

namespace zelvora {
namespace {

std::string Answers(std::string head, int values_given) {
  for (int i = values_given; i < 230; ++i) head += ",0";
  return head;
}

class SurvMapDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           (std::string("survmapdisk-") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
            std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static std::string Slurp(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void Put(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
  }
  std::filesystem::path dir_;
};

const char* const kDemoDisk =
    "<DOCUMENT>\r\n"
    "  <TScoreSheet>\r\n"
    "    <ID>41.300</ID>\r\n"
    "    <Date>45998.5</Date>\r\n"
    "    <AnswersBuf>@ANSWERS@</AnswersBuf>\r\n"
    "    <Completed>0</Completed>\r\n"
    "    <AnswersEdited>0</AnswersEdited>\r\n"
    "    <RaterCategory>Boss</RaterCategory>\r\n"
    "  </TScoreSheet>\r\n"
    "  <TExperience>\r\n"
    "    <ID>41.200</ID>\r\n"
    "    <Date>45998.25</Date>\r\n"
    "    <ExperienceDate>45990</ExperienceDate>\r\n"
    "    <ScoreSheetsDeleted>0</ScoreSheetsDeleted>\r\n"
    "  </TExperience>\r\n"
    "  <TSurvey>\r\n"
    "    <ID>41.100</ID>\r\n"
    "    <Date>45997.4375</Date>\r\n"
    "    <Name>Leadership Practices 360</Name>\r\n"
    "    <Author>Zelvora Consulting</Author>\r\n"
    "    <AnsPerQ>2</AnsPerQ>\r\n"
    "    <FreqLbl1>Almost Never</FreqLbl1>\r\n"
    "    <FreqLbl2>Sometimes</FreqLbl2>\r\n"
    "    <FreqLbl3>Generally</FreqLbl3>\r\n"
    "    <FreqLbl4>Almost Always</FreqLbl4>\r\n"
    "    <FreqLbl5>Always</FreqLbl5>\r\n"
    "    <TSkillAreaList>\r\n"
    "      <TSkillArea>\r\n"
    "        <ID>41.101</ID>\r\n"
    "        <Date>45997.4375</Date>\r\n"
    "        <Order>0</Order>\r\n"
    "        <Name>Communication</Name>\r\n"
    "        <QuestPrefix1>How often do you</QuestPrefix1>\r\n"
    "        <QuestPrefix2>How often should you</QuestPrefix2>\r\n"
    "        <QuestPrefix3>How often does this person</QuestPrefix3>\r\n"
    "        <QuestPrefix4>How often should this person</QuestPrefix4>\r\n"
    "        <TQuestionList>\r\n"
    "          <TQuestion>\r\n"
    "            <ID>41.102</ID>\r\n"
    "            <Date>45997.4375</Date>\r\n"
    "            <Order>0</Order>\r\n"
    "            <QuestionText>Listens to others</QuestionText>\r\n"
    "            <Locked>0</Locked>\r\n"
    "          </TQuestion>\r\n"
    "          <TQuestion>\r\n"
    "            <ID>41.103</ID>\r\n"
    "            <Date>45997.4375</Date>\r\n"
    "            <Order>1</Order>\r\n"
    "            <QuestionText>Explains decisions &amp; &lt;reasons></QuestionText>\r\n"
    "            <Locked>1</Locked>\r\n"
    "          </TQuestion>\r\n"
    "        </TQuestionList>\r\n"
    "      </TSkillArea>\r\n"
    "    </TSkillAreaList>\r\n"
    "  </TSurvey>\r\n"
    "  <TSubject>\r\n"
    "    <ID>41.150</ID>\r\n"
    "    <Date>45991</Date>\r\n"
    "    <Name>Pat Example</Name>\r\n"
    "  </TSubject>\r\n"
    "  <TDepartment>\r\n"
    "    <ID>41.20</ID>\r\n"
    "    <Date>45990.75</Date>\r\n"
    "    <Name>Sales</Name>\r\n"
    "  </TDepartment>\r\n"
    "  <TCompany>\r\n"
    "    <ID>41.10</ID>\r\n"
    "    <Date>45990.5</Date>\r\n"
    "    <Name>Acme</Name>\r\n"
    "  </TCompany>\r\n"
    "</DOCUMENT>\r\n";

std::string DemoDiskBytes() {
  std::string text = kDemoDisk;
  text.replace(text.find("@ANSWERS@"), 9, Answers("3,4,2,5", 4));
  return text;
}

TEST_F(SurvMapDiskTest, DemoSheetWritesExactBytes) {
  DemoChain demo;
  const std::string file = Path("dtf.xml");
  Put(file, "an older disk");
  TSurveyMapper::WriteSurveyDisk(file, *demo.sheet);
  EXPECT_EQ(Slurp(file), DemoDiskBytes());
  // The copy kept for the command-line tests and the fuzzer's seeds.
  EXPECT_EQ(Slurp(ZELVORA_TESTDATA "/xml/dtf-demo.xml"), DemoDiskBytes());
  EXPECT_EQ(demo.db.RecordCount(okScoreSheet), 0u);  // writing stores nothing
}

TEST_F(SurvMapDiskTest, ReadBackGivesLinkedChainWithTheSameValues) {
  const std::string file = Path("dtf.xml");
  {
    DemoChain demo;
    TSurveyMapper::WriteSurveyDisk(file, *demo.sheet);
  }
  // No database is open while reading: the objects are built outside it.
  TSurveyDiskObjects disk = TSurveyMapper::ReadSurveyDisk(file);
  ASSERT_TRUE(disk.ScoreSheet && disk.Experience && disk.Survey && disk.Subject &&
              disk.Department && disk.Company);
  EXPECT_EQ(disk.ScoreSheet->Experience, disk.Experience.get());
  EXPECT_EQ(disk.Experience->Survey(), disk.Survey.get());
  EXPECT_EQ(disk.Experience->Subject(), disk.Subject.get());
  EXPECT_EQ(disk.Experience->SurveyID, (TObjectID{41, 100}));
  EXPECT_EQ(disk.Experience->SubjectID, (TObjectID{41, 150}));
  EXPECT_EQ(disk.Experience->Department, disk.Department.get());
  EXPECT_EQ(disk.Department->Company, disk.Company.get());

  EXPECT_EQ(disk.ScoreSheet->ID, (TObjectID{41, 300}));
  EXPECT_EQ(disk.ScoreSheet->State, osBuiltOutside);
  EXPECT_DOUBLE_EQ(disk.ScoreSheet->Date, 45998.5);
  EXPECT_EQ(disk.ScoreSheet->AnswersBuf[0], 3);
  EXPECT_EQ(disk.ScoreSheet->AnswersBuf[3], 5);
  EXPECT_EQ(disk.ScoreSheet->AnswersBuf[4], 0);
  EXPECT_FALSE(disk.ScoreSheet->Completed);
  EXPECT_EQ(disk.CategoryName, "Boss");
  EXPECT_DOUBLE_EQ(disk.Experience->ExperienceDate, 45990.0);
  EXPECT_EQ(disk.Survey->Name, "Leadership Practices 360");
  EXPECT_EQ(disk.Survey->FreqLabels, TSurvey::DefaultFreqLabels());
  ASSERT_EQ(disk.Survey->SkillAreas().Size(), 1);
  TSkillArea* area = disk.Survey->SkillAreas().At(0);
  EXPECT_EQ(area->Survey, disk.Survey.get());
  EXPECT_EQ(area->GetPrefix(3), "How often does this person");
  ASSERT_EQ(area->Questions().Size(), 2);
  EXPECT_EQ(area->Questions().At(1)->QuestionText, "Explains decisions & <reasons>");
  EXPECT_TRUE(area->Questions().At(1)->Locked);
  EXPECT_EQ(area->Questions().At(0)->Suggestions().Size(), 0);
  EXPECT_EQ(disk.Subject->Name, "Pat Example");
  EXPECT_EQ(disk.Department->Name, "Sales");
  EXPECT_EQ(disk.Company->Name, "Acme");
  EXPECT_EQ(disk.Company->Departments().Size(), 0);
}

TEST_F(SurvMapDiskTest, MissingElementsReadWithDefaults) {
  const std::string file = Path("dtf.xml");
  Put(file, "<Anything>\r\n  <TSubject><Name>Only me</Name></TSubject>\r\n</Anything>\r\n");
  TSurveyDiskObjects disk = TSurveyMapper::ReadSurveyDisk(file);
  EXPECT_EQ(disk.Subject->Name, "Only me");
  EXPECT_EQ(disk.ScoreSheet->ID, TObjectID{});
  EXPECT_EQ(disk.Survey->AnsPerQ, 0);
  EXPECT_TRUE(disk.Survey->FreqLabels.empty());
  EXPECT_EQ(disk.Company->Name, "");
  EXPECT_EQ(disk.CategoryName, "");
  EXPECT_EQ(disk.Experience->Survey(), disk.Survey.get());
}

TEST_F(SurvMapDiskTest, DeclarationFirstMeansEveryObjectHasDefaults) {
  const std::string file = Path("dtf.xml");
  std::string bytes = "<?xml version=\"1.0\"?>\r\n" + DemoDiskBytes();
  Put(file, bytes);
  TSurveyDiskObjects disk = TSurveyMapper::ReadSurveyDisk(file);
  EXPECT_EQ(disk.ScoreSheet->ID, TObjectID{});
  EXPECT_EQ(disk.Survey->Name, "");
  EXPECT_EQ(disk.Company->Name, "");
}

TEST_F(SurvMapDiskTest, DamagedOrMissingDisksFailWithTheXmlMessage) {
  try {
    TSurveyMapper::ReadSurveyDisk(Path("missing.xml"));
    FAIL();
  } catch (const EXmlException& e) {
    EXPECT_STREQ(e.what(), "No such element");
  }
  const std::string file = Path("dtf.xml");
  Put(file, "");
  EXPECT_THROW(TSurveyMapper::ReadSurveyDisk(file), EXmlException);
  std::string damaged = DemoDiskBytes();
  damaged.replace(damaged.find("</TSubject>"), 11, "</TSubjekt>");
  Put(file, damaged);
  try {
    TSurveyMapper::ReadSurveyDisk(file);
    FAIL();
  } catch (const EXmlException& e) {
    EXPECT_STREQ(e.what(), "invalid closing tag\nexpecting /TSubject, found /TSubjekt");
  }
  Put(file, "<DOCUMENT><TScoreSheet><ID>&bogus;</ID></TScoreSheet></DOCUMENT>");
  EXPECT_THROW(TSurveyMapper::ReadSurveyDisk(file), EXmlException);
}

TEST_F(SurvMapDiskTest, WriterRefusesAnUnlinkedSheetAndWritesNothing) {
  DemoChain demo;
  TScoreSheet loose;
  loose.State = osBuiltOutside;
  const std::string file = Path("dtf.xml");
  EXPECT_THROW(TSurveyMapper::WriteSurveyDisk(file, loose), ESurvObjError);
  EXPECT_FALSE(std::filesystem::exists(file));
  TExperience orphan;
  orphan.State = osBuiltOutside;
  loose.Experience = &orphan;
  EXPECT_THROW(TSurveyMapper::WriteSurveyDisk(file, loose), ESurvObjError);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_THROW(TSurveyMapper::WriteSurveyDisk(Path("no/such/dir/dtf.xml"), *demo.sheet),
               std::runtime_error);
}

}  // namespace
}  // namespace zelvora
