// A recording printer for report tests: fixed-width text as in
// TFixedPrinter, with each text's page and font recorded, and plain report
// data built in memory.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "PrTestPrinter.h"
#include "base/DateTime.h"
#include "report/Report.h"

namespace zelvora::testing {

struct PageText {
  int page;  // 0-based index of the started page
  int font;
  Mils x;
  Mils y;
  std::string text;
};

class TPageRecorder : public TFixedPrinter {
 public:
  bool open_result = true;
  int pages = 0;
  std::vector<PageText> items;

  bool Open(bool color, int zoom, int reserved, const std::string& separator, bool rtl) override {
    TFixedPrinter::Open(color, zoom, reserved, separator, rtl);
    return open_result;
  }
  void StartPage() override {
    TFixedPrinter::StartPage();
    ++pages;
  }

  // Every text of one page, in drawing order.
  std::vector<std::string> Page(int page) const {
    std::vector<std::string> out;
    for (const PageText& t : items)
      if (t.page == page) out.push_back(t.text);
    return out;
  }
  // Index of the first text containing `needle` at or after `from`; -1 when
  // absent.
  int Find(const std::string& needle, std::size_t from = 0) const {
    for (std::size_t i = from; i < items.size(); ++i)
      if (items[i].text.find(needle) != std::string::npos) return static_cast<int>(i);
    return -1;
  }
  int Count(const std::string& needle) const {
    int n = 0;
    for (const PageText& t : items)
      if (t.text.find(needle) != std::string::npos) ++n;
    return n;
  }
  int PageOf(const std::string& needle) const {
    const int i = Find(needle);
    return i < 0 ? -1 : items[static_cast<std::size_t>(i)].page;
  }

 protected:
  void DrawTextAt(Mils x, Mils y, const std::string& s) override {
    TFixedPrinter::DrawTextAt(x, y, s);
    if (!s.empty()) items.push_back({pages - 1, CurrentFont, x, y, s});
  }
};

// Builds report data: a survey with `areas` skill areas of `per_area`
// questions and an experience whose sheets are added with Sheet().
struct TReportData {
  std::shared_ptr<TGapSurvey> survey = std::make_shared<TGapSurvey>();
  TGapCategoryList company{{"Self", 0}, {"Boss", 1}, {"Peer", 2}};

  TReportData(int areas, int per_area) {
    survey->Name = "Leadership";
    for (int a = 0; a < areas; ++a) {
      TGapSkillArea area;
      area.Name = "Area " + std::to_string(a + 1);
      for (int q = 0; q < per_area; ++q) {
        area.Questions.push_back(survey->QuestionCount());
        TGapQuestion question;
        question.Text = "Practice " + std::to_string(survey->QuestionCount() + 1) + " text?";
        question.SkillArea = a;
        survey->Questions.push_back(question);
      }
      survey->SkillAreas.push_back(area);
    }
    survey->HasCompletedSheets = true;
  }

  // A completed sheet of `category` whose every question has gap `gap`.
  static TGapSheet Sheet(int category, int gap, int questions) {
    TGapSheet sheet;
    sheet.RaterCategory = category;
    sheet.Completed = true;
    for (int q = 0; q < questions; ++q) sheet.SetPair(q, 1, 1 + gap);
    return sheet;
  }

  std::shared_ptr<TReportExperience> Experience(const std::string& subject,
                                                std::vector<TGapSheet> sheets) const {
    auto e = std::make_shared<TReportExperience>();
    e->CompanyName = "Acme";
    e->CompanyCategories = company;
    e->Survey = survey;
    e->Experience.SubjectName = subject;
    e->Experience.ExperienceDate = EncodeDate(2025, 3, 11);
    e->Experience.Sheets = std::move(sheets);
    return e;
  }
};

inline TReportSourceEntry Selected(std::shared_ptr<TReportExperience> e) {
  TReportSourceEntry entry;
  entry.Text = e->Experience.SubjectName;
  entry.Selected = true;
  entry.Data = std::move(e);
  return entry;
}

inline std::uint16_t SectionBits(std::initializer_list<int> sections) {
  std::uint16_t bits = 0;
  for (int s : sections) bits |= static_cast<std::uint16_t>(1u << s);
  return bits;
}

}  // namespace zelvora::testing
