// Rater survey forms: the return box by date, Self or Other instructions and
// prefixes, the top line of rater and blank forms, and page breaks that end
// with the strip and repeat the column heading.
#include <gtest/gtest.h>

#include "ReportTestPrinter.h"

namespace zelvora::testing {
namespace {

std::shared_ptr<TReportForm> Form(int questions, const std::string& category, int number) {
  auto form = std::make_shared<TReportForm>();
  form->SurveyName = "Leadership";
  form->FreqLabels = {"Almost Never", "Seldom", "Sometimes", "Often", "Always"};
  TReportFormArea area;
  area.Name = "Listening";
  area.Prefix = {"How often do you", "How often should you", "How often does this person",
                 "How often should this person"};
  for (int q = 0; q < questions; ++q) area.Questions.push_back("Listens " + std::to_string(q + 1));
  form->Areas.push_back(area);
  form->SubjectName = "Pat Example";
  form->RaterName = "Rae Rater";
  form->CategoryName = category;
  form->CategoryNumber = number;
  form->ReferenceNumber = "7.42";
  return form;
}

struct Forms {
  TReportConfig config;
  TPageRecorder printer;
  TReport360 report{config};
  bool Run(int kind, std::shared_ptr<TReportForm> form, std::uint16_t options, double return_date) {
    report.TodayDate = EncodeDate(2026, 12, 8);
    report.SetPrinter(&printer);
    TReportRequest request;
    request.Kind = kind;
    request.Sections = SectionBits({11});
    request.Options = options;
    request.ReturnDate = return_date;
    TReportSourceEntry entry;
    entry.Selected = true;
    entry.Form = std::move(form);
    request.Sources = {entry};
    report.Prepare(request);
    return report.Generate();
  }
};

TEST(ReportFormsTest, ReturnByTodayAndAsSoonAsPossibleAfterIt) {
  Forms today;
  ASSERT_TRUE(today.Run(kReportBlankForms, Form(3, "", 0), 0, EncodeDate(2026, 12, 8)));
  EXPECT_NE(today.printer.Find("RETURN BY"), -1);
  EXPECT_NE(today.printer.Find("12/8/2026"), -1);
  EXPECT_EQ(today.printer.Find("AS SOON AS POSSIBLE"), -1);
  Forms yesterday;
  ASSERT_TRUE(yesterday.Run(kReportBlankForms, Form(3, "", 0), 0, EncodeDate(2026, 12, 7)));
  EXPECT_EQ(yesterday.printer.Find("RETURN BY"), -1);
  EXPECT_NE(yesterday.printer.Find("RETURN"), -1);
  EXPECT_NE(yesterday.printer.Find("AS SOON AS POSSIBLE"), -1);
  Forms none;
  ASSERT_TRUE(none.Run(kReportBlankForms, Form(3, "", 0), 0, 0.0));
  EXPECT_NE(none.printer.Find("AS SOON AS POSSIBLE"), -1) << "no date: as soon as possible";
}

TEST(ReportFormsTest, SelfRaterGetsSelfInstructionsAndPrefixesUnlessOtherIsSet) {
  Forms self;
  ASSERT_TRUE(self.Run(kReportRaterForms, Form(3, "Self", 0), 0, 0.0));
  // Texts wrap at the column, so short pieces are looked for.
  EXPECT_NE(self.printer.Find("your day-to-day"), -1);
  EXPECT_NE(self.printer.Find("How often do you..."), -1);
  EXPECT_NE(self.printer.Find("others."), -1);
  EXPECT_EQ(self.printer.Find("this person."), -1);
  EXPECT_EQ(self.printer.Find("CONFIDENTIAL"), -1);
  Forms other;
  ASSERT_TRUE(other.Run(kReportRaterForms, Form(3, "Self", 0), kOptBlankOther, 0.0));
  EXPECT_NE(other.printer.Find("How often does this person..."), -1);
  EXPECT_EQ(other.printer.Find("How often do you..."), -1);
  Forms boss;
  ASSERT_TRUE(boss.Run(kReportRaterForms, Form(3, "Boss", 1), 0, 0.0));
  EXPECT_NE(boss.printer.Find("CONFIDENTIAL"), -1);
  EXPECT_EQ(boss.printer.Find("your day-to-day"), -1);
  EXPECT_NE(boss.printer.Find("SKIP ANY PRACTICE"), -1);
  EXPECT_NE(boss.printer.Find("How often should this person..."), -1);
}

TEST(ReportFormsTest, TopLineOfRaterAndBlankForms) {
  Forms rater;
  ASSERT_TRUE(rater.Run(kReportRaterForms, Form(2, "Boss", 1),
                        kOptReferenceNumber | kOptSubjectPrefix, 0.0));
  EXPECT_NE(rater.printer.Find("Reference Number: 7.42"), -1);
  EXPECT_NE(rater.printer.Find("Subject: Pat Example"), -1);
  EXPECT_NE(rater.printer.Find("Boss"), -1);
  EXPECT_EQ(rater.printer.PageOf("Leadership"), 0) << "the survey's name in the header bar";
  Forms blank;
  ASSERT_TRUE(
      blank.Run(kReportBlankForms, Form(2, "Boss", 1), kOptReferenceNumber | kOptBlankSelf, 0.0));
  EXPECT_NE(blank.printer.Find("Name:"), -1);
  EXPECT_EQ(blank.printer.Find("7.42"), -1) << "no number without a rater";
  EXPECT_EQ(blank.printer.Find("Pat Example"), -1);
  EXPECT_NE(blank.printer.Find("Self"), -1);
  EXPECT_NE(blank.printer.Find("your day-to-day"), -1);
}

TEST(ReportFormsTest, LongFormsEndPagesWithTheStripAndRepeatTheHeading) {
  Forms form;
  ASSERT_TRUE(form.Run(kReportRaterForms, Form(60, "Boss", 1), 0, 0.0));
  ASSERT_GT(form.printer.pages, 1);
  EXPECT_EQ(form.printer.Count("COMPLETE BOTH COLUMNS"), form.printer.pages - 1);
  EXPECT_EQ(form.printer.Count("Choose ONE in EACH Column"), form.printer.pages);
  EXPECT_NE(form.printer.Find("Listens 60"), -1);
  EXPECT_EQ(form.printer.Count("-Almost Never"), 0) << "labels are drawn slanted, not as text";
}

TEST(ReportFormsTest, BlankFormWithoutQuestionsIsSkippedWithItsMessage) {
  Forms form;
  EXPECT_FALSE(form.Run(kReportBlankForms, Form(0, "", 0), 0, 0.0));
  EXPECT_EQ(form.report.GetErrorMessage(), "No questions to print.");
  EXPECT_EQ(form.printer.pages, 0);
}

TEST(ReportFormsTest, AnEntryWithoutSheetPrintsNothing) {
  Forms form;
  auto none = Form(3, "Boss", 1);
  none->HasSheet = false;
  EXPECT_FALSE(form.Run(kReportRaterForms, none, 0, 0.0));
  EXPECT_EQ(form.printer.pages, 0);
}

}  // namespace
}  // namespace zelvora::testing
