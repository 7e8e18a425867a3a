// The caption language table: the shipped file holds every item with its
// placeholders; a missing file, a missing item or a text that could not be
// formatted with its numbers is refused with the reason.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "APP/LanguageTable.h"
#include "APP/ShippedFiles.h"
#include "TempFolder.h"

namespace zelvora {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

const std::string kShipped = std::string(ZELVORA_SOURCE_DIR) + "/dist/LocU.ini";

TEST(LanguageTableTest, TheShippedTableHoldsEveryCaption) {
  TLanguageTable table;
  table.Load(kShipped);
  EXPECT_EQ(table.Language(), "US");
  EXPECT_EQ(table.Text("Report", 4), "Page %d of %d");
  EXPECT_EQ(table.Text("report", 3), "Page %d");
  EXPECT_EQ(table.Text("Common", 1), "Cancel");
  EXPECT_EQ(table.Text("Common", 24), "&Close");
  EXPECT_EQ(table.Text("Common", 2), "");
}

std::string TableWith(const std::string& report4) {
  return "[Report]\r\n0=a\r\n1=b\r\n2=c %d\r\n3=d %d\r\n" + report4 +
         "5=f\r\n6=g\r\n7=h\r\n[Common]\r\n1=Cancel\r\n24=Close\r\n";
}

TEST(LanguageTableTest, RefusesTablesItCannotServe) {
  struct Row {
    const char* name;
    std::string text;
    const char* reason;
  };
  const Row rows[] = {
      {"item missing", TableWith(""), "Missing item 4 of section [Report]"},
      {"item empty", TableWith("4=\r\n"), "Missing item 4 of section [Report]"},
      {"one number short", TableWith("4=Page %d\r\n"), "Wrong placeholders in item 4"},
      {"a string placeholder", TableWith("4=Page %d of %s %d\r\n"), "Wrong placeholders in item 4"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder folder;
    WriteBytes(folder.File("LocU.ini"), row.text);
    TLanguageTable table;
    try {
      table.Load(folder.File("LocU.ini"));
      ADD_FAILURE() << "loaded";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(row.reason), std::string::npos) << e.what();
    }
    EXPECT_FALSE(table.Loaded());
  }
  TempFolder folder;
  WriteBytes(folder.File("LocU.ini"), TableWith("4=%d%% of %d\r\n"));
  TLanguageTable table;
  EXPECT_NO_THROW(table.Load(folder.File("LocU.ini")));
}

TEST(LanguageTableTest, AMissingFileIsAnError) {
  TempFolder folder;
  TLanguageTable table;
  EXPECT_THROW(table.Load(folder.File("LocU.ini")), std::runtime_error);
}

TEST(ShippedFilesTest, BesideTheProgramThenTheInstalledShareFolder) {
  EXPECT_EQ(ShippedFileFolders("/usr/bin"),
            (std::vector<std::string>{"/usr/bin", "/usr/share/zelvora360"}));
  EXPECT_EQ(ShippedFileFolders("/opt/z/bin/"),
            (std::vector<std::string>{"/opt/z/bin", "/opt/z/share/zelvora360"}));
}

}  // namespace
}  // namespace zelvora
