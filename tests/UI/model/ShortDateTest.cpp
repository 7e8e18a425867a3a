// The short date format: the user's own with a four-digit year.
#include <gtest/gtest.h>

#include "UI/model/ShortDate.h"
#include "base/DateTime.h"

namespace zelvora {
namespace {

TEST(ShortDateTest, WidensTheYearField) {
  const std::pair<const char*, const char*> rows[] = {
      {"d.M.yy", "d.M.yyyy"},     {"M/d/yy", "M/d/yyyy"},     {"dd/MM/yyyy", "dd/MM/yyyy"},
      {"yy-MM-dd", "yyyy-MM-dd"}, {"d 'y' yy", "d 'y' yyyy"}, {"y/M/d", "yyyy/M/d"},
  };
  for (const auto& [pattern, widened] : rows) {
    SCOPED_TRACE(pattern);
    EXPECT_EQ(WidenShortDateYear(pattern), widened);
  }
}

TEST(ShortDateTest, FormatsDatesInThePattern) {
  const double date = EncodeDate(2026, 3, 7) + 0.75;
  const std::pair<const char*, const char*> rows[] = {
      {"d.M.yyyy", "7.3.2026"},        {"dd/MM/yyyy", "07/03/2026"}, {"M/d/yy", "3/7/26"},
      {"d MMM yyyy", "7 Mar 2026"},    {"MMMM d", "March 7"},        {"d 'de' MMMM", "7 de March"},
      {"yyyy-MM-dd''", "2026-03-07'"},
  };
  for (const auto& [pattern, text] : rows) {
    SCOPED_TRACE(pattern);
    EXPECT_EQ(FormatDatePattern(date, pattern), text);
  }
  SetShortDatePattern(WidenShortDateYear("d.M.yy"));
  EXPECT_EQ(ShortDateText(date), "7.3.2026");
  SetShortDatePattern("M/d/yyyy");
}

}  // namespace
}  // namespace zelvora
