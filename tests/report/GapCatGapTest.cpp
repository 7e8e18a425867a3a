// The tally's cells, averages, caps, marks and per-question N.
#include <gtest/gtest.h>

#include "report/GapCatGap.h"
#include "report/GapCatGapKey.h"

namespace zelvora {
namespace {

constexpr int kN = TCatGap::kCellPairs;
constexpr int kR = TCatGap::kCellNegatives;
constexpr int kAvg = TCatGap::kCellAverage;
constexpr int kBar = TCatGap::kCellBar;

TCatGap OneRow() { return TCatGap({1}); }

TEST(GapCatGapTest, MixedSignsAverageOnlyTheNonNegativeGaps) {
  TCatGap tally = OneRow();
  for (int gap : {2, 0, -1}) tally.AddGap(1, gap);
  tally.ComputeForReport(false, true);
  EXPECT_EQ(tally.Cell(0, kN), 3);
  EXPECT_EQ(tally.Cell(0, kR), 1);
  EXPECT_EQ(tally.Cell(0, 0), 1);
  EXPECT_EQ(tally.Cell(0, 2), 1);
  EXPECT_EQ(tally.Cell(0, 8), 1);  // the -1
  EXPECT_EQ(tally.Cell(0, kAvg), 1000);
  EXPECT_EQ(tally.Cell(0, kBar), 100);
  EXPECT_DOUBLE_EQ(tally.AverageGap(0), 1.0);
}

TEST(GapCatGapTest, AllNegativeRowHasNegativeMeanAndUnderMark) {
  for (const bool under : {true, false}) {
    TCatGap tally = OneRow();
    tally.AddGap(1, -1);
    tally.AddGap(1, -2);
    tally.ComputeForReport(under, true);
    EXPECT_EQ(tally.Cell(0, kN), 2);
    EXPECT_EQ(tally.Cell(0, kR), 2);
    EXPECT_EQ(tally.Cell(0, 7), 1);
    EXPECT_EQ(tally.Cell(0, 8), 1);
    EXPECT_EQ(tally.Cell(0, kAvg), -1500);
    EXPECT_EQ(tally.Cell(0, kBar), under ? -1 : 0);
  }
}

TEST(GapCatGapTest, NegativeMeanOffAveragesNothingForAnAllNegativeRow) {
  TCatGap tally = OneRow();
  tally.AddGap(1, -3);
  tally.Compute(100, 200, false, true, true);
  EXPECT_EQ(tally.Cell(0, kAvg), 0);
  EXPECT_EQ(tally.Cell(0, kBar), 0);
}

TEST(GapCatGapTest, BarAboveCapIsMarkedOrCut) {
  for (const bool over : {true, false}) {
    TCatGap tally = OneRow();
    tally.AddGap(1, 2);
    tally.AddGap(1, 3);  // average 2.5
    tally.ComputeForReport(false, over);
    EXPECT_EQ(tally.Cell(0, kAvg), 2500);
    EXPECT_EQ(tally.Cell(0, kBar), over ? 201 : 200);
  }
  TCatGap exact = OneRow();
  exact.AddGap(1, 2);
  exact.ComputeForReport(false, true);
  EXPECT_EQ(exact.Cell(0, kBar), 200) << "a bar exactly at the cap is not marked";
}

TEST(GapCatGapTest, PairsPerQuestionRoundTiesToEven) {
  // 14 pairs over 4 questions: 3.5 gives 4; 10 over 4: 2.5 gives 2; 11/4 = 2.75 gives 3.
  const struct {
    int pairs;
    int questions;
    int expected;
  } cases[] = {{14, 4, 4}, {10, 4, 2}, {11, 4, 3}, {9, 4, 2}, {6, 4, 2}, {2, 4, 0}};
  for (const auto& c : cases) {
    TCatGap tally = OneRow();
    for (int q = 0; q < c.questions; ++q) tally.CountQuestion();
    for (int p = 0; p < c.pairs; ++p) tally.AddGap(1, 1);
    tally.ComputeForReport(false, true);
    EXPECT_EQ(tally.Cell(0, kN), c.expected) << c.pairs << "/" << c.questions;
  }
}

TEST(GapCatGapTest, AverageAndBarRoundTiesToEven) {
  // One 1 among sixteen pairs: 62.5 thousandths -> 62; three: 187.5 -> 188.
  // One 1 among eight: bar 12.5 -> 12; three 1s: 37.5 -> 38.
  const struct {
    int ones;
    int zeros;
    int avg;
    int bar;
  } cases[] = {{1, 15, 62, 6}, {3, 13, 188, 19}, {1, 7, 125, 12}, {3, 5, 375, 38}, {2, 1, 667, 67}};
  for (const auto& c : cases) {
    TCatGap tally = OneRow();
    for (int i = 0; i < c.ones; ++i) tally.AddGap(1, 1);
    for (int i = 0; i < c.zeros; ++i) tally.AddGap(1, 0);
    tally.ComputeForReport(false, true);
    EXPECT_EQ(tally.Cell(0, kAvg), c.avg) << c.ones << " of " << c.ones + c.zeros;
    EXPECT_EQ(tally.Cell(0, kBar), c.bar) << c.ones << " of " << c.ones + c.zeros;
  }
}

TEST(GapCatGapTest, IgnoresUnknownCategoriesAndGapsOffTheScale) {
  TCatGap tally({0, 3});
  tally.AddGap(7, 1);
  EXPECT_TRUE(tally.IsEmpty());
  for (int gap : {5, 8, 9, 10, 13, -5, 100}) tally.AddGap(3, gap);
  EXPECT_TRUE(tally.IsEmpty());
  tally.AddGapToRow(2, 1);
  tally.AddGapToRow(-1, 1);
  EXPECT_TRUE(tally.IsEmpty());
  tally.ComputeForReport(true, true);
  for (int row = 0; row < 2; ++row) {
    for (int cell = 0; cell < TCatGap::kCellCount; ++cell) EXPECT_EQ(tally.Cell(row, cell), 0);
  }
  tally.AddGap(3, 4);
  EXPECT_FALSE(tally.IsEmpty());
  EXPECT_EQ(tally.Cell(1, 4), 1);
  EXPECT_EQ(tally.Cell(0, 4), 0);
  EXPECT_EQ(tally.Cell(5, 4), 0) << "a row outside the tally reads 0";
  EXPECT_EQ(tally.Cell(1, 14), 0) << "a cell outside the row reads 0";
}

TEST(GapCatGapTest, EveryGapLandsInItsCell) {
  TCatGap tally = OneRow();
  for (int gap = -4; gap <= 4; ++gap) {
    for (int i = 0; i < gap + 5; ++i) tally.AddGap(1, gap);  // gap -4 once ... 4 nine times
  }
  EXPECT_EQ(tally.Cell(0, 0), 5);
  EXPECT_EQ(tally.Cell(0, 4), 9);
  EXPECT_EQ(tally.Cell(0, 5), 1);  // -4
  EXPECT_EQ(tally.Cell(0, 6), 2);  // -3
  EXPECT_EQ(tally.Cell(0, 7), 3);  // -2
  EXPECT_EQ(tally.Cell(0, 8), 4);  // -1
  EXPECT_EQ(tally.Cell(0, kR), 10);
  EXPECT_EQ(tally.Cell(0, kN), 45);
  tally.ComputeForReport(false, true);
  // Non-negative: 0x5 + 1x6 + 2x7 + 3x8 + 4x9 = 80 over 35 pairs.
  EXPECT_EQ(tally.Cell(0, kAvg), 2286);
  EXPECT_EQ(tally.Cell(0, kBar), 201);
}

TEST(GapCatGapTest, ResetClearsCellsAndCounters) {
  TCatGap tally({0, 1});
  tally.CountQuestion();
  tally.AddGap(0, 2);
  tally.AddGap(1, -1);
  tally.ComputeForReport(true, true);
  tally.Reset();
  EXPECT_TRUE(tally.IsEmpty());
  EXPECT_EQ(tally.QuestionCount(), 0);
  for (int row = 0; row < 2; ++row) {
    for (int cell = 0; cell < TCatGap::kCellCount; ++cell) EXPECT_EQ(tally.Cell(row, cell), 0);
  }
}

TEST(GapCatGapTest, ComputeTwiceDoesNotDivideNTwice) {
  TCatGap tally = OneRow();
  tally.CountQuestion();
  tally.CountQuestion();
  for (int i = 0; i < 8; ++i) tally.AddGap(1, 1);
  tally.ComputeForReport(false, true);
  tally.ComputeForReport(false, true);
  EXPECT_EQ(tally.Cell(0, kN), 4);
  EXPECT_EQ(tally.Cell(0, kAvg), 1000);
}

TEST(GapCatGapTest, EmptyRowBesideRowsWithData) {
  TCatGap tally({0, 1, 2});
  tally.AddGap(0, 1);
  tally.AddGap(2, 3);
  tally.ComputeForReport(true, true);
  EXPECT_EQ(tally.Cell(1, kN), 0);
  EXPECT_EQ(tally.Cell(1, kAvg), 0);
  EXPECT_EQ(tally.Cell(1, kBar), 0) << "no pairs is no negative average";
  EXPECT_EQ(tally.Cell(2, kAvg), 3000);
}

TEST(GapCatGapTest, KeyMapsCategoryNumbersToRowsAndNames) {
  TCatGapKey tally({{"Self", 0}, {"Peer", 3}, {"Boss", 1}});
  EXPECT_EQ(tally.CategoryCount(), 3);
  EXPECT_EQ(tally.CategoryNumber(1), 3);
  EXPECT_EQ(tally.CategoryName(2), "Boss");
  EXPECT_EQ(tally.CategoryName(3), "");
  EXPECT_EQ(tally.CategoryNumber(3), -1);
  EXPECT_EQ(tally.RowOf(1), 2);
  tally.AddGap(1, 2);
  EXPECT_EQ(tally.Cell(2, 2), 1);
  EXPECT_EQ(tally.Cell(1, 2), 0);
}

}  // namespace
}  // namespace zelvora
