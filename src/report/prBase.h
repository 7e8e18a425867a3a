// TBasePrinter: the abstract printer under every report. It keeps the
// typewriter-like layout state (current position, margins, font, line
// height), the font table and the unit conversions, and does every
// device-independent layout: paragraph wrapping, bullets, centring, right
// alignment and page-break hooks. Device drawing is left to subclasses
// (TDelphiBase draws through Qt); here the device operations do nothing.
//
// Units: every position, length and margin is in thousandths of an inch
// (`Mils`, 1000 = one inch); font sizes are points; device coordinates are
// pixels of the system printer. Every conversion rounds to nearest, ties to
// even.
//
// The layout state is kept in public fields because the report generator and
// the printable objects read and set it directly as a typewriter would.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zelvora {

using Mils = std::int32_t;  // thousandths of an inch

// One entry of the printer's font table.
struct TPrinterFontSpec {
  std::string Name;        // face name, up to 35 characters
  std::int32_t Size = 12;  // points
  std::string Style;       // letters "B", "I", "U" in any order; empty = regular
  std::int32_t Color = 0;  // colour integer, see kColorBlack
  std::int32_t Charset = 0;
  bool operator==(const TPrinterFontSpec&) const = default;
};

// Colours are integers as the settings file writes them: red in the low
// byte, then green, then blue (255 is red, 0xFF0000 is blue).
inline constexpr std::int32_t kColorBlack = 0;
inline constexpr std::int32_t kColorWhite = 0xFFFFFF;

struct TUnitPoint {
  Mils X = 0;
  Mils Y = 0;
};

// The report's routine that ends a page, starts the next and prints its
// header; called by the bulleted paragraphs when they reach the page bottom.
using TPageBreakHook = std::function<void()>;

class TBasePrinter {
 public:
  static constexpr int kFontCount = 21;

  TBasePrinter();
  virtual ~TBasePrinter();
  TBasePrinter(const TBasePrinter&) = delete;
  TBasePrinter& operator=(const TBasePrinter&) = delete;

  // ---- conversions (non-virtual) ----
  int UnitsToDeviceX(Mils u) const;
  int UnitsToDeviceY(Mils u) const;
  Mils DeviceToUnitsX(double d) const;
  Mils DeviceToUnitsY(double d) const;
  Mils PointsToUnits(double points) const;
  // Does nothing for -1 (or an index outside the table); otherwise
  // SetFont(index, Fonts[index]).
  void SelectFontSlot(int index);

  // ---- virtual operations ----
  virtual Mils LinesToUnits(double lines) const;
  virtual Mils HalfWidth(Mils w) const { return w / 2; }
  // Prepares the printer for a report; true when a printer is available.
  virtual bool Open(bool color, int zoom, int reserved, const std::string& separator,
                    bool right_to_left);
  virtual void Close() {}
  // Returns Aborted; when set, also calls Close.
  virtual bool CheckAbort();
  virtual void SetOrientation(std::uint8_t orientation) { Orientation = orientation; }
  virtual void SetPageSize(Mils width, Mils height);
  // A negative value leaves the margin unchanged. `character_value` is used
  // only by character printers (GraphicUnits false).
  virtual void SetLeftMargin(Mils graphic_value, int character_value);
  virtual void SetRightMargin(Mils graphic_value, int character_value);
  virtual void SetTopMargin(Mils graphic_value, int character_value);
  virtual void SetBottomMargin(Mils graphic_value, int character_value);
  virtual void SetFont(int index, const TPrinterFontSpec& spec);
  // Puts a built-in font into slot `kind` of the table and selects it.
  virtual void SelectStockFont(int kind);
  virtual void SetTextAngle(int degrees) { TextAngle = degrees; }
  virtual void SetTextColor(std::int32_t color);
  // 0 = text anchored at its baseline, 1 = at its top-left.
  virtual void SetTextAlign(std::uint8_t mode);
  virtual void SetFillStyle(std::uint8_t /*style*/) {}
  virtual void SetFillColor(std::int32_t /*color*/) {}
  virtual void StartPage();
  virtual void EndPage() {}
  virtual Mils TextWidth(const std::string& s);
  // As TextWidth, measured in pieces of at most 255 characters and summed.
  virtual Mils TextWidthZ(const std::string& s);
  virtual Mils TextHeight(const std::string& s);
  virtual bool IsSentenceEnd(const std::string& word) const;
  virtual void MoveTo(Mils x, Mils y);
  // Adds to the position, each coordinate clamped at 0.
  virtual void MoveBy(Mils dx, Mils dy);
  virtual void Print(const std::string& s);
  virtual void NewLine(double lines);
  virtual void PrintLeftward(const std::string& s);
  virtual void PrintRight(const std::string& s, Mils x, Mils y, Mils width);
  virtual void PrintRepeated(char ch, int count);
  virtual void PrintLabelled(Mils label_offset, const std::string& label, Mils left,
                             const std::string& text, Mils right, double line_spacing);
  // bullet modes: 0 printed at the zone's left, 1 centred in the zone,
  // 2 right-aligned in 70 % of the zone.
  virtual void PrintBulleted(Mils offset, const std::string& bullet, int mode, Mils left,
                             const std::string& text, Mils right, double line_spacing,
                             const std::string& leader, Mils leader_extra,
                             const TPageBreakHook& on_page_break, int bullet_font);
  virtual void PrintOnArc(Mils cx, Mils cy, int flags, const std::string& text, double angle,
                          Mils radius);
  virtual void PrintCenteredOnPage(const std::string& s, Mils y, double lines);
  virtual void PrintCenteredAt(const std::string& s, Mils x, Mils y);
  virtual void PrintCentered(const std::string& s, Mils y, double lines);
  // weight 0 thin, 1 thick; style 0 solid, 1 dotted, 3 dashed.
  virtual void SetPen(std::uint8_t weight, std::uint8_t style);
  // Applied only when colour is on or the colour is black or white, and only
  // when it differs from the last colour applied.
  virtual void SetPenColor(std::int32_t color);
  virtual void HorzLine(Mils x, Mils y, Mils length);
  virtual void VertLine(Mils x, Mils y, Mils length);
  virtual void Line(Mils /*x1*/, Mils /*y1*/, Mils /*x2*/, Mils /*y2*/) {}
  virtual void Frame(Mils /*x*/, Mils /*y*/, Mils /*width*/, Mils /*height*/) {}
  virtual void FillBox(Mils /*x*/, Mils /*y*/, Mils /*width*/, Mils /*height*/,
                       std::int32_t /*color*/) {}
  // A framed panel with a drop shadow: thin outer frame, thick inner frame
  // inset by 50, shadow strips 60 wide below and to the right.
  virtual void ShadowBox(Mils x1, Mils x2, Mils y, Mils height, std::int32_t pen_color,
                         std::int32_t shadow_color);
  virtual void Circle(Mils /*x*/, Mils /*y*/, Mils /*radius*/, int /*style*/,
                      std::int32_t /*fill_color*/, std::int32_t /*pen_color*/) {}
  virtual void Pie(Mils /*x*/, Mils /*y*/, Mils /*radius*/, double /*start_angle*/,
                   double /*end_angle*/, int /*style*/, std::int32_t /*fill_color*/,
                   std::int32_t /*pen_color*/) {}
  virtual void RingSegment(Mils /*x*/, Mils /*y*/, Mils /*radius1*/, Mils /*radius2*/,
                           double /*start_angle*/, double /*end_angle*/, int /*style*/,
                           std::int32_t /*fill_color*/) {}
  virtual void Polygon(const std::vector<TUnitPoint>& /*points*/) {}
  virtual void BeginPath() {}
  virtual void EndPath() {}
  virtual void FillPath() {}
  virtual void StrokeAndFillPath() {}
  virtual void StrokePath() {}
  virtual void DrawBitmapFile(Mils /*x*/, Mils /*y*/, Mils /*width*/, Mils /*height*/,
                              const std::string& /*file_name*/) {}

  // ---- device drawing in printer pixels ----
  enum TBrushStyle : std::uint8_t {
    kBrushSolid = 0,
    kBrushClear,
    kBrushHorizontal,
    kBrushVertical,
    kBrushFDiagonal,
    kBrushBDiagonal,
    kBrushCross,
    kBrushDiagCross
  };
  enum TPenStyle : std::uint8_t {
    kPenSolid = 0,
    kPenDash,
    kPenDot,
    kPenDashDot,
    kPenDashDotDot,
    kPenClear
  };
  // The printable objects draw bars, boxes and rotated text directly in
  // device pixels with these; the base has no device and draws nothing.
  struct TDevicePoint {
    int X = 0;
    int Y = 0;
  };
  // True while a page is open for drawing.
  virtual bool HasCanvas() const { return false; }
  // Save and restore the device pen, brush and text colour around drawing
  // that needs its own (a band drawn without outline must not leave the
  // page's pen hollow).
  virtual void PushDrawingState() {}
  virtual void PopDrawingState() {}
  virtual void DevSetTextColor(std::int32_t /*color*/) {}
  // style (TBrushStyle): 0 solid, 1 hollow, 2 horizontal lines, 3 vertical
  // lines, 4 diagonals falling to the right, 5 diagonals rising to the right,
  // 6 cross-hatch, 7 diagonal cross-hatch.
  virtual void DevSetBrush(std::int32_t /*color*/, std::uint8_t /*style*/) {}
  // style: 0 solid, 1 dashed, 2 dotted, 3 dash-dot, 4 dash-dot-dot, 5 none.
  virtual void DevSetPen(std::int32_t /*color*/, std::uint8_t /*style*/, int /*width*/) {}
  virtual void DevRectangle(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) {}
  virtual void DevEllipse(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) {}
  virtual void DevPolygon(const std::vector<TDevicePoint>& /*points*/) {}
  virtual void DevLine(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) {}
  // Text with its baseline at (x, y), rotated counter-clockwise by `angle`.
  virtual void DevTextOut(int /*x*/, int /*y*/, const std::string& /*s*/, int /*angle*/) {}
  virtual int DevTextWidth(const std::string& /*s*/) { return 0; }

  // ---- layout state ----
  bool MeasureOnPrinter = false;
  Mils TopMargin = 1000;
  Mils BottomMargin = 9750;
  Mils PageBottom = 0;
  Mils LeftMargin = 1000;
  Mils RightMargin = 7000;
  Mils PageHeight = 11000;
  Mils PageWidth = 8500;
  Mils CustomPageWidth = 0;
  Mils CustomPageHeight = 0;
  std::string WordSeparator = " ";
  std::uint8_t Orientation = 0;  // 0 portrait, 1 landscape
  Mils LineHeight = 1;
  Mils CurX = 1;
  Mils CurY = 1;
  std::uint16_t PixelsPerInchX = 600;
  std::uint16_t PixelsPerInchY = 600;
  bool ColorEnabled = true;
  int CurrentFont = -1;
  std::int32_t CurrentTextColor = kColorBlack;
  std::int32_t CurrentPenColor = kColorBlack;
  int SavedFont = -1;
  int TextAngle = 0;
  std::array<TPrinterFontSpec, kFontCount> Fonts;
  std::uint8_t PenWeight = 0;
  std::uint8_t PenStyle = 0;
  std::uint8_t TextAlignMode = 0;
  double Zoom = 1.0;
  int PageNumber = 1;
  bool Aborted = false;
  bool GraphicUnits = true;

 protected:
  // Device hooks. `DrawTextAt` draws s with its anchor at the unit position;
  // it may throw EPrinterDeviceError, which Print turns into Aborted.
  virtual void DrawTextAt(Mils /*x*/, Mils /*y*/, const std::string& /*s*/) {}
  virtual void ApplyTextColor(std::int32_t /*color*/) {}
  virtual void ApplyPenColor(std::int32_t /*color*/) {}
  virtual void ApplyPen() {}
  // The colour rule shared by pen and text colours.
  bool ColorAllowed(std::int32_t color) const;

 private:
  void DrawGuarded(Mils x, Mils y, const std::string& s);
  void PageBreakCheck(const TPageBreakHook& on_page_break, Mils outer_left, Mils outer_right);
};

// A failure of the output device while drawing; the printer sets Aborted and
// swallows it.
class EPrinterDeviceError : public std::exception {
 public:
  const char* what() const noexcept override { return "Printing error"; }
};

}  // namespace zelvora
