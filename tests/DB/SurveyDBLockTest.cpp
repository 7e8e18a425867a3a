// One writer per data folder: two opens in one process conflict just as two
// processes do, readers share, and closing gives the folder back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "SurveyDBFixture.h"

namespace zelvora::testing {
namespace {

using SurveyDBLock = SurveyDBTest;

TEST_F(SurveyDBLock, ASecondOpenConflictsUnlessBothOnlyRead) {
  struct Row {
    const char* name;
    TDBAccess first;
    TDBAccess second;
    bool conflicts;
  };
  const Row rows[] = {
      {"writer then writer", TDBAccess::ReadWrite, TDBAccess::ReadWrite, true},
      {"writer then reader", TDBAccess::ReadWrite, TDBAccess::ReadOnly, true},
      {"reader then writer", TDBAccess::ReadOnly, TDBAccess::ReadWrite, true},
      {"reader then reader", TDBAccess::ReadOnly, TDBAccess::ReadOnly, false},
  };
  CloseAll();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TSurveyDB first;
    first.Open(dir(), row.first);
    TSurveyDB second;
    if (row.conflicts) {
      try {
        second.Open(dir(), row.second);
        ADD_FAILURE() << "the second open succeeded";
      } catch (const EDatabaseInUse& error) {
        const std::string text = error.what();
        EXPECT_NE(text.find("is in use by"), std::string::npos) << text;
        // Only a writer leaves its number behind.
        const bool named = text.find("process " + std::to_string(::getpid())) != std::string::npos;
        EXPECT_EQ(named, row.first == TDBAccess::ReadWrite) << text;
      }
      EXPECT_FALSE(second.IsOpen());
    } else {
      EXPECT_NO_THROW(second.Open(dir(), row.second));
    }
    second.Close();
    first.Close();
    // Closed, the folder is free for a writer again.
    TSurveyDB after;
    EXPECT_NO_THROW(after.Open(dir(), TDBAccess::ReadWrite));
  }
}

}  // namespace
}  // namespace zelvora::testing
