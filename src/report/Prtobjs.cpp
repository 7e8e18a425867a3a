#include "report/Prtobjs.h"

#include <algorithm>

#include "base/Cp1252.h"
#include "base/Rounding.h"

namespace zelvora {
namespace {

int Round(double v) { return static_cast<int>(RoundHalfEven(v)); }

constexpr std::int32_t kPanelShadow = 0xF0F0F0;
constexpr std::int32_t kHeaderShadow = 0x808080;

// Brush styles of the fill-pattern kinds.
constexpr std::uint8_t kPatternStyles[8] = {
    TBasePrinter::kBrushClear,      TBasePrinter::kBrushSolid,   TBasePrinter::kBrushBDiagonal,
    TBasePrinter::kBrushFDiagonal,  TBasePrinter::kBrushCross,   TBasePrinter::kBrushDiagCross,
    TBasePrinter::kBrushHorizontal, TBasePrinter::kBrushVertical};

}  // namespace

// ---- TPrintable ----

TPrintable::TPrintable(TBasePrinter* printer) : Printer(printer) {
  Text.Assign(" ");
  ApplyColors();
  InitFromPrinter();
}

TPrintable::~TPrintable() = default;

void TPrintable::ApplyColors() {
  if (Printer == nullptr || !Printer->HasCanvas()) return;
  Printer->DevSetTextColor(TextColor);
  Printer->DevSetBrush(FillColor, FillPattern);
  Printer->DevSetPen(TextColor, PenStyle, PenWidth);
}

void TPrintable::SetX(Mils u) { X = Printer->UnitsToDeviceX(u); }
void TPrintable::SetY(Mils u) { Y = Printer->UnitsToDeviceY(u); }
void TPrintable::SetHeight(Mils u) { Height = Printer->UnitsToDeviceY(u); }
void TPrintable::SetWidth(Mils u) { Width = Printer->UnitsToDeviceX(u); }
void TPrintable::SetPenWidth(Mils u) {
  PenWidth = Printer->UnitsToDeviceX(u);
  if (Printer->HasCanvas()) Printer->DevSetPen(TextColor, PenStyle, PenWidth);
}
Mils TPrintable::GetX() const { return Printer->DeviceToUnitsX(X); }
Mils TPrintable::GetY() const { return Printer->DeviceToUnitsY(Y); }
Mils TPrintable::GetHeight() const { return Printer->DeviceToUnitsY(Height); }
Mils TPrintable::GetWidth() const { return Printer->DeviceToUnitsX(Width); }
Mils TPrintable::GetPenWidth() const { return Printer->DeviceToUnitsX(PenWidth); }

void TPrintable::SetText(int /*part*/, const std::string& s) { Text.Assign(s); }
std::string TPrintable::GetText(int /*part*/) const { return Text.Str(); }

int TPrintable::GetPartFont(int part) const {
  if (part < 0 || part >= kPartCount) return -1;
  return PartFonts[static_cast<std::size_t>(part)];
}

void TPrintable::SetPartFont(int part, int index) {
  if (part < 0 || part >= kPartCount) return;
  PartFonts[static_cast<std::size_t>(part)] = index;
}

void TPrintable::Assign(const TPrintable& other) {
  if (&other == this) return;
  Text.Assign(other.Text.Str());
  Printer = other.Printer;
  X = other.X;
  Y = other.Y;
  Height = other.Height;
  Width = other.Width;
  SavedX = other.SavedX;
  SavedY = other.SavedY;
  StartX = other.StartX;
  StartY = other.StartY;
  EndX = other.EndX;
  EndY = other.EndY;
  PenColor = other.PenColor;
  FillColor = other.FillColor;
  TextColor = other.TextColor;
  PenStyle = other.PenStyle;
  FillPattern = other.FillPattern;
  PenWidth = other.PenWidth;
  PartFonts = other.PartFonts;
  Left = other.Left;
  Right = other.Right;
  Inset = other.Inset;
  Alignment = other.Alignment;
  LinesBefore = other.LinesBefore;
  LinesAfter = other.LinesAfter;
  OnPageBreak = other.OnPageBreak;
  ApplyColors();
}

void TPrintable::InitFromPrinter() {
  if (Printer == nullptr) return;
  SetX(Printer->CurX);
  SetY(Printer->CurY);
  StartX = EndX = Printer->CurX;
  StartY = EndY = Printer->CurY;
  Left = Printer->LeftMargin;
  Right = Printer->RightMargin;
  PartFonts[0] = Printer->CurrentFont;
}

void TPrintable::MoveToEnd() { Printer->MoveTo(EndX, EndY); }
void TPrintable::MoveToStart() { Printer->MoveTo(StartX, StartY); }

int TPrintable::Draw() {
  EndX = Printer->CurX;
  EndY = Printer->CurY;
  return 0;
}

int TPrintable::Advance(double lines) {
  const Mils space = Printer->PageBottom - Printer->CurY;
  const Mils need = Round(lines * Printer->LineHeight);
  if (need >= space) return space;
  Printer->NewLine(lines);
  EndX = Printer->CurX;
  EndY = Printer->CurY;
  return 0;
}

bool TPrintable::EstimateExtent(TUnitRect& box, const std::string& text) {
  const Mils column = Right - Left;
  if (column <= 0) return false;
  const Mils width = Printer->TextWidthZ(text);
  box.Left = Left;
  box.Right = Right;
  box.Top = GetY();
  box.Bottom = GetY() + Round(double(width) / column) * Printer->LineHeight;
  return true;
}

void TPrintable::SelectPartFont(int part) {
  const int index = GetPartFont(part);
  if (index >= 0 && index != Printer->CurrentFont) Printer->SelectFontSlot(index);
}

void TPrintable::SavePos() {
  SavedX = Printer->CurX;
  SavedY = Printer->CurY;
}

void TPrintable::RestorePos() { Printer->MoveTo(SavedX, SavedY); }

void TPrintable::SetFillPattern(int kind) {
  const int k = ((kind % 128) + 128) % 128;
  FillPattern = k < 8 ? kPatternStyles[k] : std::uint8_t{TBasePrinter::kBrushSolid};
}

void TPrintable::SetFillColor(std::int32_t color) {
  FillColor = color;
  if (Printer->HasCanvas()) Printer->DevSetBrush(FillColor, FillPattern);
}

void TPrintable::SetTextColor(std::int32_t color) {
  TextColor = color;
  if (Printer->HasCanvas()) Printer->DevSetTextColor(TextColor);
}

Mils TPrintable::ColumnCentre() const { return Left + Round((Right - Left) / 2.0); }

// ---- aligned text ----

int TAlignBase::Draw() {
  if (Aborted()) return 0;
  SelectPartFont(0);
  const std::string text = GetText(0);
  switch (Alignment) {
    case kAlignRight:
      Printer->PrintRight(text, Left, Printer->CurY, Right - Left);
      break;
    case kAlignCenter:
      Printer->PrintCenteredAt(text, ColumnCentre(), Printer->CurY);
      break;
    default:
      Printer->MoveTo(Left, Printer->CurY);
      Printer->Print(text);
      break;
  }
  return TPrintable::Draw();
}

int TAlignText::Draw() {
  if (Aborted()) return 0;
  Printer->NewLine(LinesBefore);
  TAlignBase::Draw();
  Printer->NewLine(LinesAfter);
  return 0;
}

// ---- title panel ----

TTitle360::TTitle360(TBasePrinter* printer) : TAlignText(printer) {}

void TTitle360::SetText(int part, const std::string& s) {
  if (part == 1 || part == 2)
    lines_[static_cast<std::size_t>(part - 1)] = s;
  else
    TAlignText::SetText(part, s);
}

std::string TTitle360::GetText(int part) const {
  if (part == 1 || part == 2) return lines_[static_cast<std::size_t>(part - 1)];
  return TAlignText::GetText(part);
}

void TTitle360::Assign(const TPrintable& other) {
  TAlignText::Assign(other);
  if (const auto* o = dynamic_cast<const TTitle360*>(&other)) {
    lines_ = o->lines_;
    NoRules = o->NoRules;
  }
}

int TTitle360::Draw() {
  if (Aborted()) return 0;
  const Mils w = Right - Left;
  const Mils usable = Printer->PageBottom - Printer->TopMargin;
  Alignment = kAlignCenter;
  SetY(Round(usable * 0.25));
  SetHeight(Round(usable * 0.25));
  Printer->ShadowBox(Left + Inset, Right - Inset, GetY(), GetHeight(), kColorBlack, kPanelShadow);
  if (!NoRules) {
    Printer->HorzLine(Left + Inset + 50, GetY() + Round(GetHeight() * 0.387), w - 2 * Inset - 100);
    Printer->HorzLine(Printer->LeftMargin + w / 2 - 250, GetY() + Round(GetHeight() * 0.7), 500);
  }
  const Mils centre = Left + Round(w / 2.0);
  const double at[3] = {0.24, 0.6, 0.86};
  for (int part = 0; part < 3; ++part) {
    SelectPartFont(part);
    Printer->PrintCenteredAt(GetText(part), centre, GetY() + Round(GetHeight() * at[part]));
  }
  TPrintable::Draw();
  return 0;
}

// ---- section header ----

int TSectionHeader::Draw() {
  if (Aborted()) return 0;
  SelectPartFont(0);
  Printer->NewLine(LinesBefore);
  const Mils width = Printer->RightMargin - Printer->LeftMargin;
  Printer->HorzLine(Printer->LeftMargin, Printer->CurY, width);
  Printer->NewLine(0.1);
  Printer->HorzLine(Printer->LeftMargin, Printer->CurY, width);
  Printer->NewLine(GetText(0).empty() ? 0.1 : 1);
  TAlignText::Draw();
  Printer->NewLine(LinesAfter);
  return 0;
}

// ---- header and footer bands ----

namespace {

// The filled band with slanted ends: the middle eight tenths of the column
// as a box, the outer tenths as triangles. `wide_at_bottom` is the header's
// shape; the footer's is its mirror image.
void DrawSlantedBand(TBasePrinter& p, Mils top, Mils height, std::int32_t fill,
                     bool wide_at_bottom) {
  const Mils c = static_cast<Mils>(RoundHalfEven((p.RightMargin - p.LeftMargin) / 10.0));
  p.FillBox(p.LeftMargin + c, top, 8 * c, height, fill);
  const int t = p.UnitsToDeviceX(c);
  const int left = p.UnitsToDeviceX(p.LeftMargin);
  const int right = p.UnitsToDeviceX(p.RightMargin);
  const int y_top = p.UnitsToDeviceY(top);
  const int y_bottom = y_top + p.UnitsToDeviceY(height);
  const int wide = wide_at_bottom ? y_bottom : y_top;
  const int narrow = wide_at_bottom ? y_top : y_bottom;
  p.PushDrawingState();
  p.DevSetPen(fill, TBasePrinter::kPenClear, 0);
  p.DevSetBrush(fill, TBasePrinter::kBrushSolid);
  p.DevPolygon({{left, wide}, {left + t, narrow}, {left + t, wide}});
  p.DevPolygon({{right, wide}, {right - t, narrow}, {right - t, wide}});
  p.PopDrawingState();
}

}  // namespace

void THeader::Assign(const TPrintable& other) {
  TAlignBase::Assign(other);
  if (const auto* o = dynamic_cast<const THeader*>(&other)) BandFlags = o->BandFlags;
}

int THeader::Draw() {
  SelectPartFont(0);
  if (Aborted()) return 0;
  Printer->DevSetTextColor(TextColor);
  Printer->DevSetBrush(FillColor, FillPattern);
  Printer->MoveTo(Printer->LeftMargin, Printer->TopMargin);
  Printer->NewLine(LinesBefore);
  const Mils y0 = Printer->CurY;
  if (BandFlags & kBandFrame) {
    // The frame starts at the left margin even when lines before the band
    // have moved the pen to the page edge.
    const Mils x1 = std::max(Printer->CurX, Printer->LeftMargin);
    Printer->ShadowBox(x1, Right, y0, GetHeight(), kColorBlack, kHeaderShadow);
  }
  if (BandFlags & kBandFilled) {
    DrawSlantedBand(*Printer, Printer->TopMargin, GetHeight(), FillColor, true);
    Printer->DevSetTextColor(TextColor);
  }
  Printer->CurY = y0 + Round(GetHeight() / 2.1) + Round(Printer->LineHeight / 3.0);
  TAlignBase::Draw();
  Printer->MoveTo(Printer->LeftMargin, y0 + GetHeight());
  Printer->NewLine(LinesAfter);
  return 0;
}

TFooter::TFooter(TBasePrinter* printer) : TAlignBase(printer) {}

void TFooter::SetText(int part, const std::string& s) {
  if (part == 1 || part == 2)
    lines_[static_cast<std::size_t>(part - 1)] = s;
  else
    TAlignBase::SetText(part, s);
}

std::string TFooter::GetText(int part) const {
  if (part == 1 || part == 2) return lines_[static_cast<std::size_t>(part - 1)];
  return TAlignBase::GetText(part);
}

void TFooter::Assign(const TPrintable& other) {
  TAlignBase::Assign(other);
  if (const auto* o = dynamic_cast<const TFooter*>(&other)) {
    lines_ = o->lines_;
    BandFlags = o->BandFlags;
  }
}

int TFooter::Draw() {
  if (Aborted()) return 0;
  SavePos();
  Mils above = 0;
  for (int part = 1; part <= 2; ++part) {
    const std::string line = GetText(part);
    if (Cp1252Length(line) <= 2) continue;
    SelectPartFont(part);
    above += Printer->LineHeight;
    Printer->PrintCenteredAt(line, ColumnCentre(), Printer->BottomMargin - GetHeight() - above);
  }
  SelectPartFont(0);
  if (Aborted()) {
    RestorePos();
    return 0;
  }
  const Mils band_top = Printer->BottomMargin - GetHeight();
  if (BandFlags & kBandFrame)
    Printer->Frame(Printer->LeftMargin, band_top, Printer->RightMargin - Printer->LeftMargin,
                   GetHeight());
  if (BandFlags & kBandFilled) {
    Printer->DevSetTextColor(TextColor);
    DrawSlantedBand(*Printer, band_top, GetHeight(), FillColor, false);
    Printer->DevSetTextColor(TextColor);
  }
  Printer->CurY =
      Printer->BottomMargin + Round(Printer->LineHeight / 3.0) - Round(GetHeight() / 2.0);
  TAlignBase::Draw();
  Printer->PageBottom = Printer->BottomMargin - GetHeight() - above;
  RestorePos();
  return 0;
}

// ---- rotated text ----

void TAngleText::Assign(const TPrintable& other) {
  TPrintable::Assign(other);
  if (const auto* o = dynamic_cast<const TAngleText*>(&other)) Angle = o->Angle;
}

int TAngleText::Draw() {
  if (Aborted()) return 0;
  SelectPartFont(0);
  SavePos();
  // The rotation applies to this one text only; the printer's font stays
  // upright, so nothing needs re-creating afterwards.
  Printer->DevTextOut(X, Y, GetText(0), Angle);
  TPrintable::Draw();
  RestorePos();
  return 0;
}

// ---- bulleted and numbered paragraphs ----

TBulletList::TBulletList(TBasePrinter* printer) : TPrintable(printer) {}

void TBulletList::SetText(int part, const std::string& s) {
  if (part == 1)
    bullet_ = s;
  else if (part == 0)
    TPrintable::SetText(0, s);
}

std::string TBulletList::GetText(int part) const {
  if (part == 1) return bullet_;
  if (part == 0) return TPrintable::GetText(0);
  return {};
}

void TBulletList::Assign(const TPrintable& other) {
  TPrintable::Assign(other);
  if (const auto* o = dynamic_cast<const TBulletList*>(&other)) {
    bullet_ = o->bullet_;
    BulletOffset = o->BulletOffset;
    LineSpacing = o->LineSpacing;
    Leader = o->Leader;
    LeaderExtra = o->LeaderExtra;
    NoTrailingLine = o->NoTrailingLine;
  }
}

int TBulletList::Draw() {
  if (Aborted()) return 0;
  SelectPartFont(0);
  Printer->NewLine(LinesBefore);
  const int mode = Alignment == kAlignRight ? 2 : Alignment == kAlignCenter ? 1 : 0;
  Printer->PrintBulleted(BulletOffset, bullet_, mode, Left, GetText(0), Right, LineSpacing, Leader,
                         LeaderExtra, OnPageBreak, PartFonts[1]);
  if (!NoTrailingLine) Printer->NewLine(1);
  Printer->NewLine(LinesAfter);
  return TPrintable::Draw();
}

void TNumberList::SetText(int part, const std::string& s) {
  if (part == 1) {
    NumberSuffix = s;
    bullet_ = s;
  } else {
    TBulletList::SetText(part, s);
  }
}

void TNumberList::Assign(const TPrintable& other) {
  TBulletList::Assign(other);
  if (const auto* o = dynamic_cast<const TNumberList*>(&other)) {
    Counter = o->Counter;
    NumberSuffix = o->NumberSuffix;
  }
}

int TNumberList::Draw() {
  if (Aborted()) return 0;
  bullet_ = std::to_string(Counter) + NumberSuffix;
  TBulletList::Draw();
  ++Counter;
  return 0;
}

// ---- bars ----

void TBar::Assign(const TPrintable& other) {
  TPrintable::Assign(other);
  if (const auto* o = dynamic_cast<const TBar*>(&other)) {
    Labels = o->Labels;
    MinValue = o->MinValue;
    MaxValue = o->MaxValue;
    Value = o->Value;
    Vertical = o->Vertical;
    Ticks = o->Ticks;
  }
}

void TBar::AddLabel(const std::string& text, std::optional<int> percent) {
  Labels.push_back({text, percent});
}

int TBar::Draw() {
  if (Aborted()) return 0;
  SelectPartFont(0);
  Over = Under = false;
  if (Value > MaxValue) {
    Value = MaxValue;
    Over = true;
  }
  if (Value < MinValue) {
    Value = MinValue;
    Under = true;
  }
  Printer->DevSetPen(PenColor, PenStyle, PenWidth);
  Printer->DevSetBrush(FillColor, TBasePrinter::kBrushSolid);
  const int length = Vertical ? Height : Width;
  // The filled part never reaches outside the frame: a value below zero shows
  // as an empty bar (with its under mark), not as a fill before the start.
  const int fill =
      MaxValue <= 0 ? 0 : std::clamp(Round(double(Value) / MaxValue * length), 0, length);
  if (Vertical)
    DrawVertical(fill);
  else
    DrawHorizontal(fill);
  return 0;
}

void TBar::DrawVertical(int fill) {
  const int x = X, y = Y, w = Width, h = Height;
  const int inset = w / 10;
  Printer->DevRectangle(x, y, x + w, y + h);
  if (Ticks > 0 && PenStyle != TBasePrinter::kPenClear) {
    const int step = std::max(1, Round(double(h) / (Ticks + 1)));
    for (int yy = y; yy < y + h; yy += step) Printer->DevLine(x, yy, x + w, yy);
  }
  Printer->DevSetBrush(TextColor, FillPattern);
  Printer->DevSetPen(PenColor, PenStyle, 0);
  Printer->DevRectangle(x + inset, y + h - fill, x + w - inset, y + h);
  if (Over)
    Printer->DevPolygon(
        {{x + inset, y}, {x + Round(w / 2.0), y - Round(h * 0.035)}, {x + w - inset, y}});
  if (Under)
    Printer->DevPolygon(
        {{x + inset, y + h}, {x + Round(w / 2.0), y + Round(h * 1.035)}, {x + w - inset, y + h}});
}

void TBar::DrawHorizontal(int fill) {
  const int x = X, y = Y, w = Width, h = Height;
  const int inset = h / 10;
  const bool pen_visible = PenStyle != TBasePrinter::kPenClear;
  Printer->DevRectangle(x, y, x + w, y + h);
  if (Ticks > 0 && pen_visible) {
    const int step = std::max(1, Round(double(w) / (Ticks + 1)));
    for (int xx = x; xx < x + w; xx += step) Printer->DevLine(xx, y, xx, y + h);
  }
  if (!Labels.empty()) {
    const int count = static_cast<int>(Labels.size());
    const int label_y =
        y + Round(h / 2.0) + Round(Printer->UnitsToDeviceY(Printer->LineHeight) / 3.0);
    int bx = x;
    int k = 0;
    int cell = 0;
    while (bx < x + w) {
      if (pen_visible) Printer->DevLine(bx, y, bx, y + h);
      if (k < count) {
        const TBarLabel& label = Labels[static_cast<std::size_t>(k)];
        cell = label.Percent ? Round(*label.Percent / 100.0 * w) : Round(double(w) / count);
        const int pad = Round(cell / 18.0);
        const int lw = Printer->DevTextWidth(label.Text);
        int lx = bx + pad;
        if (Alignment == kAlignRight)
          lx = bx + cell - lw - pad;
        else if (Alignment == kAlignCenter)
          lx = bx + (cell - lw) / 2;
        Printer->DevTextOut(lx, label_y, label.Text, 0);
        ++k;
      } else if (cell <= 0) {
        break;  // past the labels a cell of no width would never reach the end
      }
      bx += cell;
    }
  }
  Printer->DevSetBrush(TextColor, FillPattern);
  Printer->DevSetPen(PenColor, PenStyle, 0);
  Printer->DevRectangle(x, y + inset, x + fill, y + h - inset);
  if (Over)
    Printer->DevPolygon({{x + fill, y + inset},
                         {x + Round(w * 1.035), y + Round(h / 2.0)},
                         {x + fill, y + h - inset - 2}});
  if (Under)
    Printer->DevPolygon(
        {{x, y + inset}, {x - Round(w * 0.035), y + Round(h / 2.0)}, {x, y + h - inset - 2}});
}

// ---- bar graph ----

TBarGraph::~TBarGraph() = default;

void TBarGraph::Relayout() {
  for (std::size_t i = 0; i < Bars.size(); ++i) {
    TBar& bar = *Bars[i];
    bar.Width = Width;
    bar.Height = Height;
    bar.X = X + (Vertical ? static_cast<int>(i) * Width : 0);
    bar.Y = Y + (Vertical ? 0 : static_cast<int>(i) * Height);
  }
}

void TBarGraph::SetX(Mils u) {
  TBar::SetX(u);
  Relayout();
}
void TBarGraph::SetY(Mils u) {
  TBar::SetY(u);
  Relayout();
}
void TBarGraph::SetHeight(Mils u) {
  TBar::SetHeight(u);
  Relayout();
}
void TBarGraph::SetWidth(Mils u) {
  TBar::SetWidth(u);
  Relayout();
}

void TBarGraph::Assign(const TPrintable& other) {
  TBar::Assign(other);
  if (const auto* o = dynamic_cast<const TBarGraph*>(&other)) {
    std::vector<std::unique_ptr<TBar>> copies;
    for (const auto& b : o->Bars) {
      auto copy = std::make_unique<TBar>(b->Printer);
      copy->Assign(*b);
      copies.push_back(std::move(copy));
    }
    Bars = std::move(copies);
  }
}

TBar& TBarGraph::AddBar(const std::string& caption, std::int32_t bar_color, int pen_width,
                        int ticks, int value, int max_value, int min_value, int fill_pattern) {
  auto bar = std::make_unique<TBar>(Printer);
  bar->Assign(*this);
  bar->SetText(0, caption);
  bar->MinValue = min_value;
  bar->MaxValue = max_value;
  bar->Value = value;
  bar->Ticks = ticks;
  bar->PenWidth = pen_width;
  bar->SetTextColor(bar_color);
  bar->SetFillPattern(fill_pattern);
  const int n = static_cast<int>(Bars.size());
  if (Vertical)
    bar->X += n * Width;
  else
    bar->Y += n * Height;
  Bars.push_back(std::move(bar));
  return *Bars.back();
}

int TBarGraph::Draw() {
  if (Aborted()) return 0;
  SelectPartFont(0);
  const Mils space = Printer->PageBottom - GetY();
  // Side-by-side bars need one bar's height; stacked bars one per bar.
  const Mils rows = Vertical ? 1 : static_cast<Mils>(Bars.size());
  const Mils need = GetHeight() * rows;
  if (space < need) return space;
  for (auto& bar : Bars) bar->Draw();
  EndX = GetX() + GetWidth();
  EndY = GetY() + need;
  return 0;
}

// ---- answer boxes ----

void TAnswerBox::Assign(const TPrintable& other) {
  TPrintable::Assign(other);
  if (const auto* o = dynamic_cast<const TAnswerBox*>(&other)) {
    Gap = o->Gap;
    Vertical = o->Vertical;
    Shape = o->Shape;
  }
}

int TAnswerBox::Draw() {
  if (Aborted()) return 0;
  Printer->DevSetBrush(FillColor, FillPattern);
  Printer->DevSetPen(TextColor, PenStyle, PenWidth);
  if (Shape == 1)
    Printer->DevEllipse(X, Y, X + Width, Y + Height);
  else
    Printer->DevRectangle(X, Y, X + Width, Y + Height);
  return 0;
}

void TAnswerBox::SetGap(Mils u) {
  Gap = Vertical ? Printer->UnitsToDeviceY(u) : Printer->UnitsToDeviceX(u);
}

Mils TAnswerBox::GetGap() const {
  return Vertical ? Printer->DeviceToUnitsY(Gap) : Printer->DeviceToUnitsX(Gap);
}

TBoxArray::~TBoxArray() = default;

void TBoxArray::Relayout() {
  for (std::size_t i = 0; i < Boxes.size(); ++i) {
    TAnswerBox& box = *Boxes[i];
    const int n = static_cast<int>(i);
    box.Width = Width;
    box.Height = Height;
    box.X = X + (Vertical ? 0 : n * (Width + Gap));
    box.Y = Y + (Vertical ? n * (Height + Gap) : 0);
  }
}

void TBoxArray::SetX(Mils u) {
  TAnswerBox::SetX(u);
  Relayout();
}
void TBoxArray::SetY(Mils u) {
  TAnswerBox::SetY(u);
  Relayout();
}
void TBoxArray::SetHeight(Mils u) {
  TAnswerBox::SetHeight(u);
  Relayout();
}
void TBoxArray::SetWidth(Mils u) {
  TAnswerBox::SetWidth(u);
  Relayout();
}

void TBoxArray::SetGap(Mils u) {
  TAnswerBox::SetGap(u);
  for (auto& box : Boxes) box->Gap = Gap;
  Relayout();
}

void TBoxArray::Assign(const TPrintable& other) {
  TAnswerBox::Assign(other);
  if (const auto* o = dynamic_cast<const TBoxArray*>(&other)) {
    std::vector<std::unique_ptr<TAnswerBox>> copies;
    for (const auto& b : o->Boxes) {
      auto copy = std::make_unique<TAnswerBox>(b->Printer);
      copy->Assign(*b);
      copies.push_back(std::move(copy));
    }
    Boxes = std::move(copies);
  }
}

TAnswerBox& TBoxArray::AddBox(std::int32_t color) {
  auto box = std::make_unique<TAnswerBox>(Printer);
  box->Assign(*this);
  box->SetFillColor(color);
  const int n = static_cast<int>(Boxes.size());
  if (Vertical)
    box->Y += n * (Height + Gap);
  else
    box->X += n * (Width + Gap);
  Boxes.push_back(std::move(box));
  return *Boxes.back();
}

int TBoxArray::Draw() {
  if (Aborted()) return 0;
  SelectPartFont(0);
  const Mils space = Printer->PageBottom - GetY();
  const Mils rows = Vertical ? static_cast<Mils>(Boxes.size()) : 1;
  const Mils need = GetHeight() * rows;
  if (space < need) return space;
  for (auto& box : Boxes) box->Draw();
  EndX = GetX() + GetWidth();
  EndY = GetY() + GetHeight() * static_cast<Mils>(Boxes.size());
  return 0;
}

}  // namespace zelvora
