// A printer for layout tests: every character is 100 units wide, every font
// 200 units high, and everything drawn is recorded.
#pragma once

#include <string>
#include <vector>

#include "base/Cp1252.h"
#include "report/prBase.h"

namespace zelvora::testing {

struct DrawnText {
  Mils x;
  Mils y;
  std::string text;
  bool operator==(const DrawnText&) const = default;
};

class TFixedPrinter : public TBasePrinter {
 public:
  static constexpr Mils kCharWidth = 100;
  static constexpr Mils kLineHeight = 200;

  TFixedPrinter() {
    PixelsPerInchX = 600;
    PixelsPerInchY = 600;
    LineHeight = kLineHeight;
    PageBottom = 9000;
  }

  Mils TextWidth(const std::string& s) override {
    return static_cast<Mils>(Cp1252Length(s)) * kCharWidth;
  }
  void SetFont(int index, const TPrinterFontSpec& spec) override {
    TBasePrinter::SetFont(index, spec);
    if (index != -1) {
      LineHeight = kLineHeight;
      font_changes.push_back(index);
    }
  }
  void Line(Mils x1, Mils y1, Mils x2, Mils y2) override { lines.push_back({x1, y1, x2, y2}); }
  void Frame(Mils x, Mils y, Mils w, Mils h) override { frames.push_back({x, y, w, h}); }
  void FillBox(Mils x, Mils y, Mils w, Mils h, std::int32_t color) override {
    fills.push_back({x, y, w, h, color});
  }

  bool HasCanvas() const override { return true; }
  void DevSetTextColor(std::int32_t c) override { dev_text_color = c; }
  void DevSetBrush(std::int32_t c, std::uint8_t style) override {
    brush_color = c;
    brush_style = style;
  }
  void DevSetPen(std::int32_t c, std::uint8_t style, int width) override {
    pen_color = c;
    pen_style = style;
    pen_width = width;
  }
  void DevRectangle(int x1, int y1, int x2, int y2) override {
    rects.push_back({x1, y1, x2, y2, brush_color, brush_style});
  }
  void DevEllipse(int x1, int y1, int x2, int y2) override {
    ellipses.push_back({x1, y1, x2, y2, brush_color, brush_style});
  }
  void DevPolygon(const std::vector<TDevicePoint>& points) override { polygons.push_back(points); }
  void DevLine(int x1, int y1, int x2, int y2) override { dev_lines.push_back({x1, y1, x2, y2}); }
  void DevTextOut(int x, int y, const std::string& s, int angle) override {
    dev_texts.push_back({x, y, s, angle});
  }
  int DevTextWidth(const std::string& s) override {
    return static_cast<int>(Cp1252Length(s)) * 60;  // 100 units at 600 dpi
  }

  struct Box {
    int a, b, c, d;
    std::int32_t color = 0;
    bool operator==(const Box&) const = default;
  };
  struct DevBox {
    int x1, y1, x2, y2;
    std::int32_t color;
    std::uint8_t style;
  };
  struct DevText {
    int x, y;
    std::string text;
    int angle;
  };

  std::vector<DrawnText> texts;
  std::vector<int> font_changes;
  std::vector<Box> lines, frames, fills;
  std::vector<DevBox> rects, ellipses;
  std::vector<std::vector<TDevicePoint>> polygons;
  std::vector<Box> dev_lines;
  std::vector<DevText> dev_texts;
  std::vector<std::int32_t> applied_pen_colors, applied_text_colors;
  std::int32_t dev_text_color = -1, brush_color = -1, pen_color = -1;
  std::uint8_t brush_style = 255, pen_style = 255;
  int pen_width = -1;
  bool fail_next_draw = false;

 protected:
  void DrawTextAt(Mils x, Mils y, const std::string& s) override {
    if (fail_next_draw) {
      fail_next_draw = false;
      throw EPrinterDeviceError();
    }
    texts.push_back({x, y, s});
  }
  void ApplyPenColor(std::int32_t c) override { applied_pen_colors.push_back(c); }
  void ApplyTextColor(std::int32_t c) override { applied_text_colors.push_back(c); }
};

}  // namespace zelvora::testing
