// The survey selection for departments and its size checks.
#include <gtest/gtest.h>

#include "UI/model/ControlCenterFixture.h"

namespace zelvora::testing {
namespace {

using Strings = std::vector<std::string>;

TEST_F(ControlCenterTest, DepartmentSurveySizeChecks) {
  Open();
  struct Row {
    const char* name;
    std::vector<int> areas;
    Strings every_area;  // the refusals, each after the common head
  };
  const Row rows[] = {
      {"Empty", {}, {"No skill areas exist for this survey."}},
      {"Ten", {10}, {}},
      {"Nine",
       {9},
       {"There is only one skill area, and this \nskill area has less than 10 questions."}},
      {"FiveFive", {5, 5}, {}},
      {"FiveFour", {5, 4}, {"The \"FiveFour A1\" Skill Area has less than five questions."}},
      {"Small",
       {4, 5, 3},
       {"The \"Small A0\" Skill Area has less than five questions.",
        "The \"Small A2\" Skill Area has less than five questions."}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TSurvey* survey = AddLibrarySurvey(row.name, row.areas);
    Strings expected;
    for (const auto& text : row.every_area)
      expected.push_back("The \"" + std::string(row.name) + "\" survey cannot be added. \n" + text);
    EXPECT_EQ(TSelSurvForm::CheckDepartmentSurvey(*survey, true), expected);
    if (expected.size() > 1) expected.resize(1);
    EXPECT_EQ(TSelSurvForm::CheckDepartmentSurvey(*survey, false), expected);
  }
}

TEST_F(ControlCenterTest, RefusedSurveysAreDeselectedAndNeverHandedBack) {
  Open();
  TSurvey* good = AddLibrarySurvey("Good", {10});
  TSurvey* small = AddLibrarySurvey("Small", {5, 4});
  TSelSurvForm form(ui);
  ui.Script<TSelSurvForm>([&](TSelSurvForm& f) {
    f.Click({1});  // Small
    EXPECT_FALSE(f.DoneEnabled());
    EXPECT_EQ(LastLog(),
              "info: The \"Small\" survey cannot be added. \nThe \"Small A1\" Skill Area has less "
              "than five questions.");
    f.Click({0, 1});
    EXPECT_TRUE(f.DoneEnabled());
    EXPECT_TRUE(f.Entries()[0].Selected);
    EXPECT_FALSE(f.Entries()[1].Selected);
    return true;
  });
  EXPECT_EQ(form.SelectSurveys({small, good}), std::vector<TSurvey*>{good});
  // Closing with nothing selected, or cancelling, hands back nothing.
  ui.Script<TSelSurvForm>([](TSelSurvForm& f) {
    f.Click({1});
    return true;
  });
  EXPECT_TRUE(form.SelectSurveys({small, good}).empty());
  ui.Script<TSelSurvForm>([](TSelSurvForm& f) {
    f.Click({0});
    return false;
  });
  EXPECT_TRUE(form.SelectSurveys({small, good}).empty());
}

}  // namespace
}  // namespace zelvora::testing
