// The printed forms of averages, counts, ranking texts, axis labels and
// verdicts.
#include <gtest/gtest.h>

#include "report/GapFormat.h"

namespace zelvora {
namespace {

TEST(GapFormatTest, AveragesPrintInFiveCharactersWithTwoDecimals) {
  EXPECT_EQ(FormatAverage(0), " 0.00");
  EXPECT_EQ(FormatAverage(1000), " 1.00");
  EXPECT_EQ(FormatAverage(2286), " 2.29");
  EXPECT_EQ(FormatAverage(4000), " 4.00");
  EXPECT_EQ(FormatHundredths(1234), "12.34");
  EXPECT_EQ(FormatHundredths(-150), "-1.50");
  EXPECT_EQ(FormatHundredths(-5), "-0.05");
  EXPECT_EQ(FormatHundredths(123456), "1234.56") << "a wide number is not cut";
}

TEST(GapFormatTest, HundredthsRoundTiesToEven) {
  EXPECT_EQ(FormatAverage(1005), " 1.00");
  EXPECT_EQ(FormatAverage(1015), " 1.02");
  EXPECT_EQ(FormatAverage(125), " 0.12");
  EXPECT_EQ(FormatAverage(135), " 0.14");
  EXPECT_EQ(FormatAverage(1254), " 1.25");
  EXPECT_EQ(FormatAverage(1256), " 1.26");
  EXPECT_EQ(FormatSignedAverage(-1005), "-1.00");
  EXPECT_EQ(FormatSignedAverage(-4), " 0.00") << "never a negative zero";
}

TEST(GapFormatTest, NegativeAverageReadsNotAvailable) {
  EXPECT_EQ(FormatNotAvailable(), " N/A ");
  EXPECT_EQ(FormatAverage(-1500), " N/A ");
  EXPECT_EQ(FormatAverage(-1), " N/A ");
  EXPECT_EQ(FormatSignedAverage(-1500), "-1.50");
}

TEST(GapFormatTest, CountsAndBoxes) {
  EXPECT_EQ(FormatCount(0), "0");
  EXPECT_EQ(FormatCount(123), "123");
  EXPECT_EQ(FormatBox(0), "");
  EXPECT_EQ(FormatBox(7), "7");
}

TEST(GapFormatTest, AxisLabelsInShortestForm) {
  EXPECT_EQ(AxisLabels(), (std::vector<std::string>{"0", "0.5", "1", "1.5", "2"}));
  EXPECT_EQ(FormatShortest(125), "1.25");
  EXPECT_EQ(FormatShortest(-200), "-2");
  EXPECT_EQ(FormatShortest(10), "0.1");
}

TEST(GapFormatTest, RankingTextLayout) {
  EXPECT_EQ(FormatRankingText(125, 3, false), " 1.25   3      ");
  EXPECT_EQ(FormatRankingText(300, 114, true), " 3.00 114 Check");
  const std::string text = FormatRankingText(0, 0, true);
  EXPECT_EQ(text.size(), 15u);
  EXPECT_EQ(text.substr(0, 5), " 0.00");
  EXPECT_EQ(text.substr(10, 5), "Check");
}

TEST(GapFormatTest, RankingNumberReadsCharactersOneToFive) {
  EXPECT_DOUBLE_EQ(ReadRankingNumber(" 1.25   3      "), 1.25);
  EXPECT_DOUBLE_EQ(ReadRankingNumber("12.34   3      "), 12.34);
  EXPECT_DOUBLE_EQ(ReadRankingNumber(" 0.00"), 0.0);
  EXPECT_DOUBLE_EQ(ReadRankingNumber(" N/A    3      "), 99.0);
  EXPECT_DOUBLE_EQ(ReadRankingNumber("     "), 99.0);
  EXPECT_DOUBLE_EQ(ReadRankingNumber(""), 99.0);
  EXPECT_DOUBLE_EQ(ReadRankingNumber(" nan "), 99.0);
  EXPECT_DOUBLE_EQ(ReadRankingNumber(" 1.2x"), 99.0);
}

TEST(GapFormatTest, ComparativeVerdictBoundaries) {
  const struct {
    int milli;
    const char* verdict;
  } cases[] = {{-1500, "Examine"}, {-1, "Examine"},  {0, "Effective"},  {790, "Effective"},
               {799, "Effective"}, {800, "Examine"}, {1000, "Examine"}, {1009, "Examine"},
               {1010, "Develop"},  {4000, "Develop"}};
  for (const auto& c : cases) EXPECT_EQ(ComparativeVerdict(c.milli), c.verdict) << c.milli;
}

TEST(GapFormatTest, SuggestionLetters) {
  EXPECT_EQ(SuggestionLetter(0), "a)");
  EXPECT_EQ(SuggestionLetter(1), "b)");
  EXPECT_EQ(SuggestionLetter(25), "z)");
  EXPECT_EQ(SuggestionLetter(26), "aa)");
  EXPECT_EQ(SuggestionLetter(27), "ab)");
}

}  // namespace
}  // namespace zelvora
