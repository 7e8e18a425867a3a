// The printable objects reports compose their pages from: aligned text, the
// title panel, page header and footer bands, section headers, rotated text,
// bulleted and numbered paragraphs, bars and bar graphs, answer boxes and box
// arrays. Each object is created on a printer, configured, and drawn with
// Draw, usually several times with new texts.
//
// Units: positions and sizes callers pass are thousandths of an inch; an
// object keeps its own position and size in printer pixels (X, Y, Width,
// Height) so that drawing uses them directly, and converts when set or read.
//
// Callers may rely on:
//  - Every Draw draws nothing and returns 0 once the printer is aborted.
//  - Draw returns 0 when drawn, or the remaining space in units when the
//    object needs more room than is left above the printer's PageBottom;
//    nothing is drawn then (the caller breaks the page and draws again).
//  - Group objects (TBarGraph, TBoxArray) own their members.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "report/StrZ.h"
#include "report/prBase.h"

namespace zelvora {

struct TUnitRect {
  Mils Left = 0;
  Mils Top = 0;
  Mils Right = 0;
  Mils Bottom = 0;
};

class TPrintable {
 public:
  static constexpr int kPartCount = 5;
  // Alignment values.
  static constexpr std::uint8_t kAlignRight = 0;
  static constexpr std::uint8_t kAlignCenter = 1;
  static constexpr std::uint8_t kAlignLeft = 2;

  // Requires: `printer` outlives the object. Applies the colours to an open
  // page and takes the printer's position, margins and font.
  explicit TPrintable(TBasePrinter* printer);
  virtual ~TPrintable();
  TPrintable(const TPrintable&) = delete;
  TPrintable& operator=(const TPrintable&) = delete;

  virtual void ApplyColors();
  virtual void SetX(Mils u);
  virtual void SetY(Mils u);
  virtual void SetHeight(Mils u);
  virtual void SetWidth(Mils u);
  virtual void SetPenWidth(Mils u);
  virtual Mils GetX() const;
  virtual Mils GetY() const;
  virtual Mils GetHeight() const;
  virtual Mils GetWidth() const;
  virtual Mils GetPenWidth() const;
  virtual void SetText(int part, const std::string& s);
  virtual std::string GetText(int part) const;
  void SetTextZ(int part, const char* text) { SetText(part, text == nullptr ? "" : text); }
  std::string GetTextZ(int part) const { return GetText(part); }
  int GetPartFont(int part) const;
  void SetPartFont(int part, int index);
  // Copies texts, printer, position, size, the saved, start and end
  // positions, colours, styles, pen width, fonts, column, inset, alignment,
  // spacing and callback (and the fields of the class both share), then
  // applies the colours.
  virtual void Assign(const TPrintable& other);
  virtual void InitFromPrinter();
  virtual void MoveToEnd();
  virtual void MoveToStart();
  virtual int Draw();
  // Moves the printer down `lines` when that stays above PageBottom; returns
  // 0, or the remaining space without moving.
  virtual int Advance(double lines);
  // Where `text` would end when wrapped in the column from the current y.
  // False (box unchanged) when the column has no width.
  virtual bool EstimateExtent(TUnitRect& box, const std::string& text);

  // Selects PartFonts[part] on the printer unless it is -1 or already
  // selected.
  void SelectPartFont(int part);
  void SavePos();
  void RestorePos();
  // kind (modulo 128): 0 hollow, 1 solid, 2 diagonals rising to the right,
  // 3 falling to the right, 4 cross-hatch, 5 diagonal cross-hatch,
  // 6 horizontal, 7 vertical lines; other kinds solid.
  void SetFillPattern(int kind);
  void SetFillColor(std::int32_t color);
  void SetTextColor(std::int32_t color);

  TBasePrinter* Printer = nullptr;
  TStringZ Text;
  int X = 0;
  int Y = 0;
  int Height = 0;
  int Width = 0;
  Mils SavedX = 0;
  Mils SavedY = 0;
  Mils EndX = 0;
  Mils EndY = 0;
  Mils StartX = 0;
  Mils StartY = 0;
  std::array<int, kPartCount> PartFonts{-1, -1, -1, -1, -1};
  int PenWidth = 0;
  std::uint8_t PenStyle = TBasePrinter::kPenSolid;
  std::uint8_t FillPattern = TBasePrinter::kBrushSolid;
  std::int32_t PenColor = kColorBlack;
  std::int32_t FillColor = kColorWhite;
  std::int32_t TextColor = kColorBlack;
  Mils Left = 0;
  Mils Right = 0;
  Mils Inset = 0;
  std::uint8_t Alignment = kAlignRight;
  double LinesBefore = 0;
  double LinesAfter = 0;
  TPageBreakHook OnPageBreak;

 protected:
  bool Aborted() const { return Printer == nullptr || Printer->Aborted; }
  // The column's centre as the centred texts use it.
  Mils ColumnCentre() const;
};

// One line of text aligned in the column at the printer's current y.
class TAlignBase : public TPrintable {
 public:
  using TPrintable::TPrintable;
  int Draw() override;
};

// Aligned text with LinesBefore and LinesAfter around it.
class TAlignText : public TAlignBase {
 public:
  using TAlignBase::TAlignBase;
  int Draw() override;
};

// The title panel: three centred lines in a shadowed frame, placed a quarter
// of the usable page height down and a quarter of it tall.
class TTitle360 : public TAlignText {
 public:
  explicit TTitle360(TBasePrinter* printer);
  void SetText(int part, const std::string& s) override;
  std::string GetText(int part) const override;
  void Assign(const TPrintable& other) override;
  int Draw() override;

  bool NoRules = false;

 private:
  std::array<std::string, 2> lines_{" ", " "};  // parts 1 and 2
};

// A double rule followed by a heading.
class TSectionHeader : public TAlignText {
 public:
  using TAlignText::TAlignText;
  int Draw() override;
};

// BandFlags bits of headers and footers.
inline constexpr std::int32_t kBandFrame = 4;   // a frame around the band
inline constexpr std::int32_t kBandFilled = 8;  // a filled band with slanted ends

// The page header band at the top margin.
class THeader : public TAlignBase {
 public:
  using TAlignBase::TAlignBase;
  void Assign(const TPrintable& other) override;
  int Draw() override;

  std::int32_t BandFlags = 5;
};

// The page footer band above the bottom margin, with up to two extra lines
// above it. Drawing it sets the printer's PageBottom above the band and the
// lines.
class TFooter : public TAlignBase {
 public:
  explicit TFooter(TBasePrinter* printer);
  void SetText(int part, const std::string& s) override;
  std::string GetText(int part) const override;
  void Assign(const TPrintable& other) override;
  int Draw() override;

  std::int32_t BandFlags = 5;

 private:
  std::array<std::string, 2> lines_{" ", " "};  // parts 1 and 2
};

// Text rotated counter-clockwise by Angle degrees at (X, Y).
class TAngleText : public TPrintable {
 public:
  using TPrintable::TPrintable;
  void Assign(const TPrintable& other) override;
  int Draw() override;

  std::int32_t Angle = 0;
};

// A bulleted paragraph wrapped in the column; part 1 is the bullet.
class TBulletList : public TPrintable {
 public:
  explicit TBulletList(TBasePrinter* printer);
  void SetText(int part, const std::string& s) override;
  std::string GetText(int part) const override;
  void Assign(const TPrintable& other) override;
  int Draw() override;

  Mils BulletOffset = 0;
  std::int32_t LineSpacing = 1;
  std::string Leader;
  Mils LeaderExtra = 0;
  bool NoTrailingLine = false;

 protected:
  std::string bullet_ = " ";
};

// A numbered paragraph: the bullet is Counter followed by NumberSuffix, and
// each Draw counts on.
class TNumberList : public TBulletList {
 public:
  using TBulletList::TBulletList;
  // Part 1 is the number suffix (it also becomes the bullet).
  void SetText(int part, const std::string& s) override;
  void Assign(const TPrintable& other) override;
  int Draw() override;

  std::int32_t Counter = 1;
  std::string NumberSuffix;
};

struct TBarLabel {
  std::string Text;
  std::optional<int> Percent;  // share of the bar length
};

// One bar of a bar chart; a value beyond the scale is clamped and shown by a
// triangle past the end (over) or before the start (under).
class TBar : public TPrintable {
 public:
  using TPrintable::TPrintable;
  void Assign(const TPrintable& other) override;
  int Draw() override;
  void AddLabel(const std::string& text, std::optional<int> percent = std::nullopt);

  std::vector<TBarLabel> Labels;
  std::int32_t MinValue = 0;
  std::int32_t MaxValue = 0;
  std::int32_t Value = 0;
  bool Vertical = false;
  std::int32_t Ticks = 0;
  // Set by the last Draw: the value was above the maximum / below the minimum.
  bool Over = false;
  bool Under = false;

 private:
  void DrawVertical(int fill);
  void DrawHorizontal(int fill);
};

// A group of bars, stacked downwards (or side by side when Vertical).
class TBarGraph : public TBar {
 public:
  using TBar::TBar;
  ~TBarGraph() override;
  void SetX(Mils u) override;
  void SetY(Mils u) override;
  void SetHeight(Mils u) override;
  void SetWidth(Mils u) override;
  void Assign(const TPrintable& other) override;
  int Draw() override;
  // `pen_width` is in printer pixels; `fill_pattern` a SetFillPattern kind.
  TBar& AddBar(const std::string& caption, std::int32_t bar_color, int pen_width, int ticks,
               int value, int max_value, int min_value, int fill_pattern);

  std::vector<std::unique_ptr<TBar>> Bars;

 private:
  void Relayout();
};

// A rectangle or ellipse: an answer bubble.
class TAnswerBox : public TPrintable {
 public:
  using TPrintable::TPrintable;
  void Assign(const TPrintable& other) override;
  int Draw() override;
  virtual void SetGap(Mils u);
  Mils GetGap() const;

  int Gap = 0;  // printer pixels between neighbouring boxes
  bool Vertical = false;
  std::uint8_t Shape = 0;  // 0 rectangle, 1 ellipse
};

// A row (or, when Vertical, a column) of answer boxes.
class TBoxArray : public TAnswerBox {
 public:
  using TAnswerBox::TAnswerBox;
  ~TBoxArray() override;
  void SetX(Mils u) override;
  void SetY(Mils u) override;
  void SetHeight(Mils u) override;
  void SetWidth(Mils u) override;
  void SetGap(Mils u) override;
  void Assign(const TPrintable& other) override;
  int Draw() override;
  TAnswerBox& AddBox(std::int32_t color);

  std::vector<std::unique_ptr<TAnswerBox>> Boxes;

 private:
  void Relayout();
};

}  // namespace zelvora
