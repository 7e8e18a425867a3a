// A recording printer for report tests: fixed-width text as in
// TFixedPrinter, with each text's page and font recorded, and plain report
// data built in memory.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
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

// A drawn shape's page and extent in Mils: 'F' frame, 'B' filled box,
// 'L' line, 'R' device rectangle, 'P' polygon (its bounding box).
struct PageShape {
  int page;
  char kind;
  Mils left, top, right, bottom;
};

class TPageRecorder : public TFixedPrinter {
 public:
  bool open_result = true;
  int pages = 0;
  std::vector<PageText> items;
  std::vector<PageShape> shapes;
  // The margins of each page as the page was started.
  std::vector<std::pair<Mils, Mils>> page_margins;

  // A text's extent as drawn on its baseline with the fixed font.
  static Mils Right(const PageText& t) {
    return t.x + static_cast<Mils>(Cp1252Length(t.text)) * kCharWidth;
  }
  static Mils Top(const PageText& t) { return t.y - kLineHeight; }
  std::vector<PageShape> Shapes(char kind) const {
    std::vector<PageShape> out;
    for (const PageShape& s : shapes)
      if (s.kind == kind) out.push_back(s);
    return out;
  }

  void Line(Mils x1, Mils y1, Mils x2, Mils y2) override {
    TFixedPrinter::Line(x1, y1, x2, y2);
    shapes.push_back(
        {pages - 1, 'L', std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)});
  }
  void Frame(Mils x, Mils y, Mils w, Mils h) override {
    TFixedPrinter::Frame(x, y, w, h);
    shapes.push_back({pages - 1, 'F', x, y, x + w, y + h});
  }
  void FillBox(Mils x, Mils y, Mils w, Mils h, std::int32_t color) override {
    TFixedPrinter::FillBox(x, y, w, h, color);
    shapes.push_back({pages - 1, 'B', x, y, x + w, y + h});
  }
  void DevRectangle(int x1, int y1, int x2, int y2) override {
    TFixedPrinter::DevRectangle(x1, y1, x2, y2);
    shapes.push_back({pages - 1, 'R', DeviceToUnitsX(x1), DeviceToUnitsY(y1), DeviceToUnitsX(x2),
                      DeviceToUnitsY(y2)});
  }
  void DevPolygon(const std::vector<TDevicePoint>& points) override {
    TFixedPrinter::DevPolygon(points);
    if (points.empty()) return;
    PageShape s{pages - 1,
                'P',
                DeviceToUnitsX(points[0].X),
                DeviceToUnitsY(points[0].Y),
                DeviceToUnitsX(points[0].X),
                DeviceToUnitsY(points[0].Y)};
    for (const TDevicePoint& point : points) {
      s.left = std::min(s.left, DeviceToUnitsX(point.X));
      s.right = std::max(s.right, DeviceToUnitsX(point.X));
      s.top = std::min(s.top, DeviceToUnitsY(point.Y));
      s.bottom = std::max(s.bottom, DeviceToUnitsY(point.Y));
    }
    shapes.push_back(s);
  }

  bool Open(bool color, int zoom, int reserved, const std::string& separator, bool rtl) override {
    TFixedPrinter::Open(color, zoom, reserved, separator, rtl);
    return open_result;
  }
  void StartPage() override {
    TFixedPrinter::StartPage();
    ++pages;
    page_margins.emplace_back(LeftMargin, RightMargin);
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
