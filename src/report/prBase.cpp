#include "report/prBase.h"

#include <algorithm>
#include <cstdlib>

#include "base/Cp1252.h"
#include "base/Rounding.h"
#include "report/TextLine.h"

namespace zelvora {
namespace {

constexpr std::size_t kMeasurePiece = 255;  // characters per measured piece

Mils Round(double v) { return static_cast<Mils>(RoundHalfEven(v)); }

// Saves the two margins and puts them back when the scope ends, so that an
// exception from a page-break hook does not leave a paragraph's margins set.
class MarginGuard {
 public:
  explicit MarginGuard(TBasePrinter& p) : p_(p), left_(p.LeftMargin), right_(p.RightMargin) {}
  ~MarginGuard() {
    p_.LeftMargin = left_;
    p_.RightMargin = right_;
  }
  MarginGuard(const MarginGuard&) = delete;
  MarginGuard& operator=(const MarginGuard&) = delete;
  Mils Left() const { return left_; }
  Mils Right() const { return right_; }

 private:
  TBasePrinter& p_;
  Mils left_;
  Mils right_;
};

}  // namespace

TBasePrinter::TBasePrinter() {
  for (auto& f : Fonts) f = TPrinterFontSpec{"System", 12, "", kColorBlack, 0};
}

TBasePrinter::~TBasePrinter() = default;

int TBasePrinter::UnitsToDeviceX(Mils u) const {
  return static_cast<int>(RoundHalfEven(double(PixelsPerInchX) * u / 1000.0 * Zoom));
}
int TBasePrinter::UnitsToDeviceY(Mils u) const {
  return static_cast<int>(RoundHalfEven(double(PixelsPerInchY) * u / 1000.0 * Zoom));
}
Mils TBasePrinter::DeviceToUnitsX(double d) const {
  return Round(d * 1000.0 / (double(PixelsPerInchX) * Zoom));
}
Mils TBasePrinter::DeviceToUnitsY(double d) const {
  return Round(d * 1000.0 / (double(PixelsPerInchY) * Zoom));
}
Mils TBasePrinter::PointsToUnits(double points) const {
  return Round(points * 1000.0 / (Zoom * 72.0));
}

void TBasePrinter::SelectFontSlot(int index) {
  if (index < 0 || index >= kFontCount) return;
  SetFont(index, Fonts[static_cast<std::size_t>(index)]);
}

Mils TBasePrinter::LinesToUnits(double lines) const { return Round(lines * LineHeight); }

bool TBasePrinter::Open(bool color, int /*zoom*/, int /*reserved*/, const std::string& separator,
                        bool /*right_to_left*/) {
  ColorEnabled = color;
  WordSeparator = separator;
  return true;
}

bool TBasePrinter::CheckAbort() {
  if (Aborted) Close();
  return Aborted;
}

void TBasePrinter::SetPageSize(Mils width, Mils height) {
  CustomPageWidth = width;
  CustomPageHeight = height;
}

void TBasePrinter::SetLeftMargin(Mils graphic_value, int character_value) {
  const Mils v = GraphicUnits ? graphic_value : character_value;
  if (v >= 0) LeftMargin = v;
}
void TBasePrinter::SetRightMargin(Mils graphic_value, int character_value) {
  const Mils v = GraphicUnits ? graphic_value : character_value;
  if (v >= 0) RightMargin = v;
}
void TBasePrinter::SetTopMargin(Mils graphic_value, int character_value) {
  const Mils v = GraphicUnits ? graphic_value : character_value;
  if (v >= 0) TopMargin = v;
}
void TBasePrinter::SetBottomMargin(Mils graphic_value, int character_value) {
  const Mils v = GraphicUnits ? graphic_value : character_value;
  if (v >= 0) BottomMargin = v;
}

void TBasePrinter::SetFont(int index, const TPrinterFontSpec& /*spec*/) {
  if (index == -1) return;
  CurrentFont = index;
  LineHeight = 1;
}

void TBasePrinter::SelectStockFont(int kind) {
  TPrinterFontSpec spec;
  switch (kind) {
    case 0:
      spec = {"Courier", 12, "", kColorBlack, 0};
      break;
    case 1:
      spec = {"Arial", 20, "B", kColorBlack, 0};
      break;
    case 2:
      spec = {"Times New Roman", 12, "", kColorBlack, 0};
      break;
    case 3:
      spec = {"Arial", 10, "I", kColorBlack, 0};
      break;
    case 4:
      spec = {"Arial", 8, "", kColorBlack, 0};
      break;
    default:
      spec = {"Times New Roman", 12, "", kColorBlack, 0};
      break;
  }
  SetFont(kind, spec);
}

bool TBasePrinter::ColorAllowed(std::int32_t color) const {
  return ColorEnabled || color == kColorBlack || color == kColorWhite;
}

void TBasePrinter::SetTextColor(std::int32_t color) {
  if (!ColorAllowed(color) || color == CurrentTextColor) return;
  CurrentTextColor = color;
  ApplyTextColor(color);
}

void TBasePrinter::SetPenColor(std::int32_t color) {
  if (!ColorAllowed(color) || color == CurrentPenColor) return;
  CurrentPenColor = color;
  ApplyPenColor(color);
}

void TBasePrinter::SetTextAlign(std::uint8_t mode) {
  if (mode <= 1) TextAlignMode = mode;
}

void TBasePrinter::StartPage() { MoveTo(1, LineHeight); }

Mils TBasePrinter::TextWidth(const std::string& /*s*/) { return 0; }

Mils TBasePrinter::TextWidthZ(const std::string& s) {
  Mils total = 0;
  std::string_view rest = s;
  while (!rest.empty()) {
    const std::string piece = CutToChars(rest, kMeasurePiece);
    total += TextWidth(piece);
    rest.remove_prefix(piece.size());
  }
  return total;
}

Mils TBasePrinter::TextHeight(const std::string& /*s*/) { return 0; }

bool TBasePrinter::IsSentenceEnd(const std::string& word) const {
  return zelvora::IsSentenceEnd(word);
}

void TBasePrinter::MoveTo(Mils x, Mils y) {
  CurX = x;
  CurY = y;
}

void TBasePrinter::MoveBy(Mils dx, Mils dy) {
  MoveTo(std::max<Mils>(0, CurX + dx), std::max<Mils>(0, CurY + dy));
}

void TBasePrinter::DrawGuarded(Mils x, Mils y, const std::string& s) {
  try {
    DrawTextAt(x, y, s);
  } catch (const EPrinterDeviceError&) {
    Aborted = true;
  }
}

void TBasePrinter::Print(const std::string& s) {
  if (CurY < TopMargin) MoveTo(1, TopMargin);
  if (CurX < LeftMargin) MoveTo(LeftMargin, CurY);
  if (!s.empty()) DrawGuarded(CurX, CurY, s);
  CurX += TextWidth(s);
}

void TBasePrinter::NewLine(double lines) {
  if (Aborted || !(lines > 0)) return;
  Print("");
  MoveTo(1, CurY + Round(lines * LineHeight));
}

void TBasePrinter::PrintLeftward(const std::string& s) {
  if (CurY < TopMargin) MoveTo(1, TopMargin);
  if (CurX > RightMargin) MoveTo(RightMargin, CurY);
  CurX -= TextWidth(s);
  if (!s.empty()) DrawGuarded(CurX, CurY, s);
}

void TBasePrinter::PrintRight(const std::string& s, Mils x, Mils y, Mils width) {
  MoveTo(x + width - TextWidth(s), y);
  Print(s);
}

void TBasePrinter::PrintRepeated(char ch, int count) {
  if (Aborted || count <= 0) return;
  Print(std::string(static_cast<std::size_t>(count), ch));
}

void TBasePrinter::PrintLabelled(Mils label_offset, const std::string& label, Mils left,
                                 const std::string& text, Mils right, double line_spacing) {
  if (Aborted) return;
  MarginGuard outer(*this);
  RightMargin = right;
  if (!label.empty()) {
    LeftMargin = left + label_offset;
    Print(label);
  }
  LeftMargin = left;
  if (CurX < left) MoveTo(left, CurY);
  TTextLine words(text);
  std::string buffer;
  for (const std::string& w : words.Pieces()) {
    // A word that does not fit starts the next line, unless nothing waits to
    // be printed: an oversized first word then stays on this line rather than
    // leaving an empty one above it.
    if (!buffer.empty() && w != ":" && CurX + TextWidth(buffer + w) > RightMargin) {
      Print(buffer);
      NewLine(line_spacing);
      LeftMargin = left;
      if (CurX < left) MoveTo(left, CurY);
      buffer.clear();
    }
    buffer += w + WordSeparator;
    if (!WordSeparator.empty() && IsSentenceEnd(w)) buffer += WordSeparator;
  }
  if (!buffer.empty()) Print(buffer);
}

void TBasePrinter::PageBreakCheck(const TPageBreakHook& on_page_break, Mils outer_left,
                                  Mils outer_right) {
  // Without a footer on the page (PageBottom 0) there is no limit to break
  // at; checking anyway would break the page at every word.
  if (!on_page_break || PageBottom <= 0 || CurY < PageBottom - 2 * LineHeight) return;
  const Mils left = LeftMargin;
  const Mils right = RightMargin;
  LeftMargin = outer_left;
  RightMargin = outer_right;
  on_page_break();
  LeftMargin = left;
  RightMargin = right;
  MoveTo(LeftMargin, CurY);
}

void TBasePrinter::PrintBulleted(Mils offset, const std::string& bullet, int mode, Mils left,
                                 const std::string& text, Mils right, double line_spacing,
                                 const std::string& leader, Mils leader_extra,
                                 const TPageBreakHook& on_page_break, int bullet_font) {
  if (Aborted) return;
  MarginGuard outer(*this);
  RightMargin = right;
  PageBreakCheck(on_page_break, outer.Left(), outer.Right());
  LeftMargin = left + offset;
  if (!bullet.empty()) {
    const int saved_font = CurrentFont;
    const bool change_font = bullet_font > 0 && bullet_font != saved_font;
    if (change_font) SelectFontSlot(bullet_font);
    const Mils zone = std::abs(offset);
    switch (mode) {
      case 0:
        MoveTo(LeftMargin, CurY);
        Print(bullet);
        break;
      case 1:
        PrintCenteredAt(bullet, LeftMargin + zone / 2, CurY);
        break;
      case 2:
        PrintRight(bullet, LeftMargin, CurY, Round(zone * 0.7));
        break;
      default:
        break;
    }
    if (offset == 0) Print("  ");
    if (change_font) SelectFontSlot(saved_font);
  }
  LeftMargin = left;
  if (CurX < left) MoveTo(left, CurY);
  TTextLine words(text);
  std::string buffer;
  const std::string single = CutToChars(WordSeparator, 2);
  const std::string twice = CutToChars(WordSeparator + WordSeparator, 2);
  for (const std::string& w : words.Pieces()) {
    if (!buffer.empty() && w != ":" && CurX + TextWidth(buffer + w + "  ") > RightMargin) {
      Print(buffer);
      NewLine(line_spacing);
      if (CurX < LeftMargin) MoveTo(LeftMargin, CurY);
      buffer.clear();
    }
    PageBreakCheck(on_page_break, outer.Left(), outer.Right());
    buffer += w + (IsSentenceEnd(w) ? twice : single);
  }
  if (!buffer.empty()) Print(buffer);
  if (!leader.empty()) {
    const auto leader_chars = static_cast<Mils>(Cp1252Length(leader));
    while (!Aborted && CurX + leader_chars - 1 <= RightMargin + leader_extra) {
      const Mils before = CurX;
      Print(leader);
      if (CurX <= before) break;  // a leader of no width would never reach the margin
    }
  }
}

void TBasePrinter::PrintOnArc(Mils /*cx*/, Mils /*cy*/, int /*flags*/, const std::string& /*text*/,
                              double /*angle*/, Mils /*radius*/) {}

void TBasePrinter::PrintCenteredAt(const std::string& s, Mils x, Mils y) {
  const Mils left = LeftMargin;
  LeftMargin = 0;
  MoveTo(x - HalfWidth(TextWidth(s)), y);
  Print(s);
  LeftMargin = left;
}

void TBasePrinter::PrintCentered(const std::string& s, Mils y, double lines) {
  const Mils left = LeftMargin;
  const Mils right = RightMargin;
  LeftMargin = 0;
  MoveTo(left + (right - left) / 2 - HalfWidth(TextWidth(s)), y);
  Print(s);
  NewLine(lines);
  LeftMargin = left;
}

void TBasePrinter::PrintCenteredOnPage(const std::string& s, Mils y, double lines) {
  const Mils left = LeftMargin;
  LeftMargin = 0;
  MoveTo(PageWidth / 2 - HalfWidth(TextWidth(s)), y);
  Print(s);
  NewLine(lines);
  LeftMargin = left;
}

void TBasePrinter::SetPen(std::uint8_t weight, std::uint8_t style) {
  PenWeight = weight;
  PenStyle = style;
  ApplyPen();
}

void TBasePrinter::HorzLine(Mils x, Mils y, Mils length) { Line(x, y, x + length, y); }
void TBasePrinter::VertLine(Mils x, Mils y, Mils length) { Line(x, y, x, y + length); }

void TBasePrinter::ShadowBox(Mils x1, Mils x2, Mils y, Mils height, std::int32_t pen_color,
                             std::int32_t shadow_color) {
  FillBox(x2, y + 50, 60, height, shadow_color);
  FillBox(x1 + 60, y + height, x2 - x1, 60, shadow_color);
  SetPenColor(pen_color);
  SetPen(0, 0);
  Frame(x1, y, x2 - x1, height);
  SetPen(1, 0);
  Frame(x1 + 50, y + 50, x2 - x1 - 100, height - 100);
}

}  // namespace zelvora
