#include "report/prDelphi.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QPolygonF>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "base/Rounding.h"
#include "report/TextLine.h"

namespace zelvora {
namespace {

int Round(double v) { return static_cast<int>(RoundHalfEven(v)); }

QString Q(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

Qt::BrushStyle BrushStyleOf(std::uint8_t style) {
  switch (style) {
    case TBasePrinter::kBrushSolid:
      return Qt::SolidPattern;
    case TBasePrinter::kBrushClear:
      return Qt::NoBrush;
    case TBasePrinter::kBrushHorizontal:
      return Qt::HorPattern;
    case TBasePrinter::kBrushVertical:
      return Qt::VerPattern;
    case TBasePrinter::kBrushFDiagonal:
      return Qt::FDiagPattern;
    case TBasePrinter::kBrushBDiagonal:
      return Qt::BDiagPattern;
    case TBasePrinter::kBrushCross:
      return Qt::CrossPattern;
    case TBasePrinter::kBrushDiagCross:
      return Qt::DiagCrossPattern;
    default:
      return Qt::SolidPattern;
  }
}

Qt::PenStyle PenStyleOf(std::uint8_t style) {
  switch (style) {
    case 1:
      return Qt::DashLine;
    case 2:
      return Qt::DotLine;
    case 3:
      return Qt::DashDotLine;
    case 4:
      return Qt::DashDotDotLine;
    case 5:
      return Qt::NoPen;
    default:
      return Qt::SolidLine;
  }
}

}  // namespace

QColor ToQColor(std::int32_t color) {
  const auto c = static_cast<std::uint32_t>(color);
  return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QString ResolveFontFamily(const std::string& face) {
  static std::map<std::string, QString> cache;
  const auto it = cache.find(face);
  if (it != cache.end()) return it->second;
  static const std::map<std::string, QString> kMetricTwins = {
      {"arial", "Liberation Sans"},
      {"helvetica", "Liberation Sans"},
      {"system", "Liberation Sans"},
      {"ms sans serif", "Liberation Sans"},
      {"times new roman", "Liberation Serif"},
      {"times", "Liberation Serif"},
      {"courier new", "Liberation Mono"},
      {"courier", "Liberation Mono"}};
  const QString name = Q(face);
  QString family = name;
  const QStringList families = QFontDatabase::families();
  if (!families.contains(name, Qt::CaseInsensitive)) {
    const auto twin = kMetricTwins.find(name.toLower().toStdString());
    if (twin != kMetricTwins.end() && families.contains(twin->second)) family = twin->second;
  }
  cache.emplace(face, family);
  return family;
}

// ---- TMetaPage / TMetaPageList ----

TMetaPage::TMetaPage(std::unique_ptr<QPicture> picture, std::uint8_t orientation)
    : picture_(std::move(picture)), orientation_(orientation) {}
TMetaPage::~TMetaPage() = default;
TMetaPage::TMetaPage(TMetaPage&&) noexcept = default;

TMetaPageList::TMetaPageList(int dpi_x, int dpi_y) : dpi_x_(dpi_x), dpi_y_(dpi_y) {}
TMetaPageList::~TMetaPageList() = default;

void TMetaPageList::SetDpi(int dpi_x, int dpi_y) {
  dpi_x_ = dpi_x > 0 ? dpi_x : 600;
  dpi_y_ = dpi_y > 0 ? dpi_y : 600;
}

void TMetaPageList::Add(std::unique_ptr<QPicture> picture, std::uint8_t orientation) {
  pages_.emplace_back(std::move(picture), orientation);
}

const TMetaPage& TMetaPageList::Get(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("No such page.");
  return pages_[static_cast<std::size_t>(index)];
}

int TMetaPageList::ReplayDpi() { return QPicture().logicalDpiX(); }

void TMetaPageList::Replay(int index, QPainter& painter, double dpi) const {
  const TMetaPage& page = Get(index);
  painter.save();
  painter.scale(dpi / dpi_x_, dpi / dpi_y_);
  painter.drawPicture(0, 0, page.Picture());
  painter.restore();
}

void TMetaPageList::SaveAsPdf(const std::string& path, int copies) const {
  if (pages_.empty()) throw std::runtime_error("There are no pages to save.");
  const QString file_name = Q(path);
  // The PDF is written to a temporary file first so that a failure leaves no
  // half-written document behind.
  QSaveFile out(file_name);
  if (!out.open(QIODevice::WriteOnly))
    throw std::runtime_error("Could not write the file " + path + ".");
  const auto layout_of = [this](const TMetaPage& page) {
    const QRect r = page.Picture().boundingRect();
    const double w = double(r.width()) / dpi_x_;
    const double h = double(r.height()) / dpi_y_;
    const QPageSize size(QSizeF(std::min(w, h), std::max(w, h)), QPageSize::Inch, QString(),
                         QPageSize::FuzzyMatch);
    return QPageLayout(size, w > h ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
  };
  {
    QPdfWriter writer(&out);
    // Pictures replay their fonts at the device's resolution, so the PDF is
    // written at the pictures' own resolution and the pages scaled to it.
    const int replay_dpi = ReplayDpi();
    writer.setResolution(replay_dpi);
    writer.setCreator("Zelvora 360 Feedback");
    writer.setPageLayout(layout_of(pages_.front()));
    QPainter painter;
    if (!painter.begin(&writer)) throw std::runtime_error("Could not write the file " + path + ".");
    for (int copy = 0; copy < std::max(1, copies); ++copy) {
      for (int i = 0; i < Count(); ++i) {
        if (copy > 0 || i > 0) {
          writer.setPageLayout(layout_of(pages_[static_cast<std::size_t>(i)]));
          writer.newPage();
        }
        Replay(i, painter, replay_dpi);
      }
    }
    painter.end();
  }
  if (!out.commit()) throw std::runtime_error("Could not write the file " + path + ".");
}

QImage TMetaPageList::Render(int index, int dpi) const {
  const QRect r = Get(index).Picture().boundingRect();
  const int w = std::max(1, Round(double(r.width()) * dpi / dpi_x_));
  const int h = std::max(1, Round(double(r.height()) * dpi / dpi_y_));
  QImage image(w, h, QImage::Format_RGB32);
  const int dots_per_meter = Round(ReplayDpi() / 0.0254);
  image.setDotsPerMeterX(dots_per_meter);
  image.setDotsPerMeterY(dots_per_meter);
  image.fill(Qt::white);
  QPainter painter(&image);
  // Hairlines of the printer (one printer pixel) would fade away when
  // scaled down with antialiasing; without it they keep one pixel, as a
  // printed page shows them.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing);
  Replay(index, painter, dpi);
  painter.end();
  return image;
}

void TMetaPageList::SavePng(int index, int dpi, const std::string& path) const {
  const QImage image = Render(index, dpi);
  if (!image.save(Q(path), "PNG"))
    throw std::runtime_error("Could not write the file " + path + ".");
}

// ---- TDelphiBase ----

TDelphiBase::TDelphiBase(std::shared_ptr<TSystemPrinter> system_printer)
    : system_printer_(system_printer ? std::move(system_printer) : TSystemPrinter::Default()) {
  PixelsPerInchX = static_cast<std::uint16_t>(system_printer_->DpiX());
  PixelsPerInchY = static_cast<std::uint16_t>(system_printer_->DpiY());
  font_ = MakeFont({"Arial", 10, "", kColorBlack, 0});
  pen_ = QPen(Qt::black, UnitsToDeviceY(7), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  brush_ = QBrush(Qt::NoBrush);
}

TDelphiBase::~TDelphiBase() = default;

QFont TDelphiBase::MakeFont(const TPrinterFontSpec& spec) const {
  QFont font(ResolveFontFamily(spec.Name));
  const double points = std::abs(double(spec.Size));
  // The font's height in printer pixels is rounded as the printer's font
  // mapper does; a size of 0 still gives a usable one-pixel font.
  font.setPixelSize(std::max(1, Round(points * PixelsPerInchY / 72.0)));
  const auto has = [&spec](char c) { return spec.Style.find(c) != std::string::npos; };
  font.setBold(has('B'));
  font.setItalic(has('I'));
  font.setUnderline(has('U'));
  // Widths are the fonts' design advances, as a printer driver measures them:
  // no pair kerning and no hinting towards screen pixels.
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::PreferOutline);
  return font;
}

void TDelphiBase::SetOrientation(std::uint8_t orientation) {
  Orientation = orientation;
  system_printer_->SetOrientation(orientation);
  PageWidth = DeviceToUnitsX(system_printer_->PageWidthPx());
  PageHeight = DeviceToUnitsY(system_printer_->PageHeightPx());
}

void TDelphiBase::SetFont(int index, const TPrinterFontSpec& spec) {
  if (index == -1) return;
  CurrentFont = index;
  const std::string key = spec.Name + '\x1f' + std::to_string(spec.Size) + '\x1f' + spec.Style +
                          '\x1f' + std::to_string(PixelsPerInchX) + '\x1f' +
                          std::to_string(PixelsPerInchY);
  auto found = fonts_.find(key);
  if (found == fonts_.end()) found = fonts_.emplace(key, TFontEntry{MakeFont(spec), {}}).first;
  font_entry_ = &found->second;
  font_ = font_entry_->font;
  if (Canvas) Canvas->setFont(font_);
  const std::int32_t color = ColorEnabled ? spec.Color : kColorBlack;
  CurrentTextColor = color;
  text_color_ = ToQColor(color);
  const double s = std::abs(double(spec.Size));
  LineHeight = PointsToUnits(double(RoundHalfEven(s + s * 0.12)));
  brush_.setStyle(Qt::NoBrush);  // text never paints a background; the colour stays
  if (Canvas) Canvas->setBrush(brush_);
}

void TDelphiBase::SetTextAngle(int degrees) { TextAngle = degrees; }

void TDelphiBase::SetTextAlign(std::uint8_t mode) { TBasePrinter::SetTextAlign(mode); }

void TDelphiBase::SetFillStyle(std::uint8_t style) {
  if (style != 1) return;
  brush_.setStyle(Qt::SolidPattern);
  if (Canvas) Canvas->setBrush(brush_);
}

void TDelphiBase::SetFillColor(std::int32_t color) {
  brush_.setColor(ToQColor(color));
  if (Canvas) Canvas->setBrush(brush_);
}

Mils TDelphiBase::TextWidth(const std::string& s) {
  if (s.empty()) return 0;
  if (font_entry_ != nullptr && font_entry_->font == font_) {
    const auto known = font_entry_->widths.find(s);
    if (known != font_entry_->widths.end()) return known->second;
  }
  const QFontMetricsF metrics(font_);
  const Mils width = DeviceToUnitsX(double(RoundHalfEven(metrics.horizontalAdvance(Q(s)))));
  if (font_entry_ != nullptr && font_entry_->font == font_) font_entry_->widths.emplace(s, width);
  return width;
}

Mils TDelphiBase::TextHeight(const std::string& /*s*/) {
  const QFontMetricsF metrics(font_);
  return DeviceToUnitsY(double(RoundHalfEven(metrics.height())));
}

void TDelphiBase::TextOutPx(double x, double y, const QString& s, int angle) {
  if (!Canvas) return;
  if (path_) {
    QPainterPath text;
    text.addText(0, 0, font_, s);
    QTransform t;
    t.translate(x, y);
    t.rotate(-angle);
    path_->addPath(t.map(text));
    return;
  }
  if (angle == 0) {
    // Level text is the bulk of every report page. A recorded page stores
    // each state change, and a save/restore pair makes it store the whole
    // state again, so only what differs is set here.
    if (!(Canvas->font() == font_)) Canvas->setFont(font_);
    const QPen page_pen = Canvas->pen();
    const bool recolour = page_pen.color() != text_color_ || page_pen.style() == Qt::NoPen;
    if (recolour) Canvas->setPen(QPen(text_color_));
    Canvas->drawText(QPointF(x, y), s);
    if (recolour) Canvas->setPen(page_pen);
    return;
  }
  Canvas->save();
  Canvas->setFont(font_);
  Canvas->setPen(QPen(text_color_));
  Canvas->translate(x, y);
  Canvas->rotate(-angle);
  Canvas->drawText(QPointF(0, 0), s);
  Canvas->restore();
}

void TDelphiBase::DrawTextAt(Mils x, Mils y, const std::string& s) {
  if (!Canvas) return;
  double py = UnitsToDeviceY(y);
  if (TextAlignMode == 1) py += QFontMetricsF(font_).ascent();
  TextOutPx(UnitsToDeviceX(x), py, Q(s), TextAngle);
}

void TDelphiBase::ApplyTextColor(std::int32_t color) { text_color_ = ToQColor(color); }

void TDelphiBase::ApplyPenColor(std::int32_t color) {
  pen_.setColor(ToQColor(color));
  if (Canvas) Canvas->setPen(pen_);
}

void TDelphiBase::ApplyPen() {
  pen_.setWidth(PenWeight == 1 ? UnitsToDeviceY(20) : UnitsToDeviceY(7));
  pen_.setStyle(PenStyle == 1 ? Qt::DotLine : PenStyle == 3 ? Qt::DashLine : Qt::SolidLine);
  if (Canvas) {
    Canvas->setCompositionMode(QPainter::CompositionMode_SourceOver);
    Canvas->setPen(pen_);
  }
}

void TDelphiBase::PrintOnArc(Mils cx, Mils cy, int /*flags*/, const std::string& text, double angle,
                             Mils radius) {
  if (!Canvas || Aborted || radius <= 0) return;
  // Characters run clockwise from `angle`, each upright to the circle.
  const double px = UnitsToDeviceX(cx);
  const double py = UnitsToDeviceY(cy);
  const double r = UnitsToDeviceX(radius);
  const QFontMetricsF metrics(font_);
  double a = angle;
  const QString s = Q(text);
  for (const QChar ch : s) {
    const double w = metrics.horizontalAdvance(ch);
    const double x = px + r * CosDeg(a);
    const double y = py - r * SinDeg(a);
    TextOutPx(x, y, QString(ch), Round(a - 90));
    a -= RadToDeg(w / r);
  }
}

void TDelphiBase::Line(Mils x1, Mils y1, Mils x2, Mils y2) {
  DevLine(UnitsToDeviceX(x1), UnitsToDeviceY(y1), UnitsToDeviceX(x2), UnitsToDeviceY(y2));
}

void TDelphiBase::Frame(Mils x, Mils y, Mils width, Mils height) {
  if (!Canvas) return;
  const int left = UnitsToDeviceX(x);
  const int top = UnitsToDeviceY(y);
  const int right = left + UnitsToDeviceX(width);
  const int bottom = top + UnitsToDeviceY(height) - pen_.width() / 2;
  QPolygonF outline;
  outline << QPointF(left, top) << QPointF(right, top) << QPointF(right, bottom)
          << QPointF(left, bottom) << QPointF(left, top);
  if (path_) {
    path_->addPolygon(outline);
    return;
  }
  Canvas->drawPolyline(outline);
}

void TDelphiBase::FillBox(Mils x, Mils y, Mils width, Mils height, std::int32_t color) {
  if (!Canvas) return;
  const int top = UnitsToDeviceY(y);
  const int bottom = top + UnitsToDeviceY(height);
  const int left = UnitsToDeviceX(x);
  const int right = left + UnitsToDeviceX(width) + 1;
  Canvas->fillRect(QRect(left, top, right - left, bottom - top), ToQColor(color));
}

void TDelphiBase::Circle(Mils x, Mils y, Mils radius, int style, std::int32_t fill_color,
                         std::int32_t pen_color) {
  if (!Canvas) return;
  const QPointF c(UnitsToDeviceX(x), UnitsToDeviceY(y));
  const double rx = UnitsToDeviceX(radius);
  const double ry = UnitsToDeviceY(radius);
  if (path_) {
    path_->addEllipse(c, rx, ry);
    return;
  }
  Canvas->save();
  QPen pen = pen_;
  pen.setColor(ToQColor(pen_color));
  Canvas->setPen(pen);
  Canvas->setBrush(style == 1 ? QBrush(ToQColor(fill_color)) : QBrush(Qt::NoBrush));
  Canvas->drawEllipse(c, rx, ry);
  Canvas->restore();
}

void TDelphiBase::Pie(Mils x, Mils y, Mils radius, double start_angle, double end_angle, int style,
                      std::int32_t fill_color, std::int32_t pen_color) {
  if (!Canvas) return;
  const double rx = UnitsToDeviceX(radius);
  const double ry = UnitsToDeviceY(radius);
  const QPointF c(UnitsToDeviceX(x), UnitsToDeviceY(y));
  QPainterPath slice;
  slice.moveTo(c);
  slice.arcTo(QRectF(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry), start_angle, end_angle - start_angle);
  slice.closeSubpath();
  if (path_) {
    path_->addPath(slice);
    return;
  }
  Canvas->save();
  QPen pen = pen_;
  pen.setColor(ToQColor(pen_color));
  Canvas->setPen(pen);
  Canvas->setBrush(style == 1 ? QBrush(ToQColor(fill_color)) : QBrush(Qt::NoBrush));
  Canvas->drawPath(slice);
  Canvas->restore();
}

std::vector<TBasePrinter::TDevicePoint> TDelphiBase::RingOutline(Mils x, Mils y, Mils radius1,
                                                                 Mils radius2, double start_angle,
                                                                 double end_angle) const {
  // The outline runs along the first arc and back along the second, sampled
  // every half degree; wide ranges are sampled more coarsely so that the
  // outline never exceeds kMaxRingPoints.
  const double sweep = end_angle - start_angle;
  int steps = static_cast<int>(std::ceil(std::abs(sweep) / 0.5));
  steps = std::clamp(steps, 1, kMaxRingPoints / 2 - 1);
  const double cx = UnitsToDeviceX(x);
  const double cy = UnitsToDeviceY(y);
  std::vector<TDevicePoint> points;
  points.reserve(static_cast<std::size_t>(2 * (steps + 1)));
  const auto add = [&](double r_units, double a) {
    points.push_back({Round(cx + UnitsToDeviceX(Mils(r_units)) * CosDeg(a)),
                      Round(cy - UnitsToDeviceY(Mils(r_units)) * SinDeg(a))});
  };
  for (int i = 0; i <= steps; ++i) add(radius1, start_angle + sweep * i / steps);
  for (int i = steps; i >= 0; --i) add(radius2, start_angle + sweep * i / steps);
  return points;
}

void TDelphiBase::RingSegment(Mils x, Mils y, Mils radius1, Mils radius2, double start_angle,
                              double end_angle, int style, std::int32_t fill_color) {
  if (!Canvas) return;
  QPolygonF polygon;
  for (const auto& p : RingOutline(x, y, radius1, radius2, start_angle, end_angle))
    polygon << QPointF(p.X, p.Y);
  if (path_) {
    path_->addPolygon(polygon);
    path_->closeSubpath();
    return;
  }
  Canvas->save();
  if (style == 0) {
    Canvas->setBrush(Qt::NoBrush);
  } else {
    Canvas->setPen(Qt::NoPen);
    Canvas->setBrush(ToQColor(fill_color));
  }
  Canvas->drawPolygon(polygon);
  Canvas->restore();
}

void TDelphiBase::Polygon(const std::vector<TUnitPoint>& points) {
  std::vector<TDevicePoint> device;
  device.reserve(points.size());
  for (const auto& p : points) device.push_back({UnitsToDeviceX(p.X), UnitsToDeviceY(p.Y)});
  DevPolygon(device);
}

void TDelphiBase::BeginPath() { path_.emplace(); }

void TDelphiBase::EndPath() {
  if (!path_) return;
  finished_path_ = *path_;
  path_.reset();
}

void TDelphiBase::DrawPath(const QPainterPath& path, bool stroke, bool fill) {
  if (!Canvas) return;
  Canvas->save();
  if (!stroke) Canvas->setPen(Qt::NoPen);
  if (!fill) Canvas->setBrush(Qt::NoBrush);
  Canvas->drawPath(path);
  Canvas->restore();
}

void TDelphiBase::FillPath() {
  DrawPath(finished_path_, false, true);
  finished_path_ = QPainterPath();
}
void TDelphiBase::StrokeAndFillPath() {
  DrawPath(finished_path_, true, true);
  finished_path_ = QPainterPath();
}
void TDelphiBase::StrokePath() {
  DrawPath(finished_path_, true, false);
  finished_path_ = QPainterPath();
}

void TDelphiBase::DrawBitmapFile(Mils x, Mils y, Mils width, Mils height,
                                 const std::string& file_name) {
  if (!Canvas || !QFile::exists(Q(file_name))) return;
  const QImage image(Q(file_name));
  if (image.isNull()) return;
  const int w = width == 0 ? image.width() : UnitsToDeviceX(width);
  const int h = height == 0 ? image.height() : UnitsToDeviceY(height);
  Canvas->drawImage(QRect(UnitsToDeviceX(x), UnitsToDeviceY(y), w, h), image);
}

void TDelphiBase::DevSetTextColor(std::int32_t color) {
  CurrentTextColor = color;
  text_color_ = ToQColor(color);
}

void TDelphiBase::DevSetBrush(std::int32_t color, std::uint8_t style) {
  brush_ = QBrush(ToQColor(color), BrushStyleOf(style));
  if (Canvas) Canvas->setBrush(brush_);
}

void TDelphiBase::DevSetPen(std::int32_t color, std::uint8_t style, int width) {
  pen_.setColor(ToQColor(color));
  pen_.setStyle(PenStyleOf(style));
  pen_.setWidth(std::max(0, width));
  CurrentPenColor = color;
  if (Canvas) Canvas->setPen(pen_);
}

void TDelphiBase::DevRectangle(int x1, int y1, int x2, int y2) {
  if (!Canvas) return;
  const QRect r(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
  if (path_) {
    path_->addRect(r);
    return;
  }
  Canvas->drawRect(r);
}

void TDelphiBase::DevEllipse(int x1, int y1, int x2, int y2) {
  if (!Canvas) return;
  const QRect r(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
  if (path_) {
    path_->addEllipse(r);
    return;
  }
  Canvas->drawEllipse(r);
}

void TDelphiBase::DevPolygon(const std::vector<TDevicePoint>& points) {
  if (!Canvas || points.empty()) return;
  QPolygonF polygon;
  for (const auto& p : points) polygon << QPointF(p.X, p.Y);
  if (path_) {
    path_->addPolygon(polygon);
    path_->closeSubpath();
    return;
  }
  Canvas->drawPolygon(polygon);
}

void TDelphiBase::DevLine(int x1, int y1, int x2, int y2) {
  if (!Canvas) return;
  if (path_) {
    path_->moveTo(x1, y1);
    path_->lineTo(x2, y2);
    return;
  }
  Canvas->drawLine(QPoint(x1, y1), QPoint(x2, y2));
}

void TDelphiBase::DevTextOut(int x, int y, const std::string& s, int angle) {
  TextOutPx(x, y, Q(s), angle);
}

int TDelphiBase::DevTextWidth(const std::string& s) {
  return Round(QFontMetricsF(font_).horizontalAdvance(Q(s)));
}

void TDelphiBase::PushDrawingState() {
  saved_states_.push_back({pen_, brush_, text_color_, CurrentPenColor, CurrentTextColor});
}

void TDelphiBase::PopDrawingState() {
  if (saved_states_.empty()) return;
  const DrawingState state = saved_states_.back();
  saved_states_.pop_back();
  pen_ = state.pen;
  brush_ = state.brush;
  text_color_ = state.text_color;
  CurrentPenColor = state.pen_color;
  CurrentTextColor = state.text_color_value;
  LoadCanvasState();
}

void TDelphiBase::LoadCanvasState() {
  if (!Canvas) return;
  Canvas->setFont(font_);
  Canvas->setPen(pen_);
  Canvas->setBrush(brush_);
}

// ---- TDelphiScreen ----

TDelphiScreen::TDelphiScreen(std::shared_ptr<TSystemPrinter> system_printer)
    : TDelphiBase(std::move(system_printer)),
      pages_(std::make_unique<TMetaPageList>(PixelsPerInchX, PixelsPerInchY)) {
  MeasureOnPrinter = true;
  ColorEnabled = true;
  GraphicUnits = true;
}

TDelphiScreen::~TDelphiScreen() {
  if (painter_) painter_->end();
}

bool TDelphiScreen::Open(bool color, int /*zoom*/, int /*reserved*/, const std::string& separator,
                         bool /*right_to_left*/) {
  if (!system_printer_->Installed()) return false;
  if (system_printer_->Orientation() != Orientation) system_printer_->SetOrientation(Orientation);
  PixelsPerInchX = static_cast<std::uint16_t>(system_printer_->DpiX());
  PixelsPerInchY = static_cast<std::uint16_t>(system_printer_->DpiY());
  pages_->SetDpi(PixelsPerInchX, PixelsPerInchY);
  ColorEnabled = color;
  if (CustomPageHeight <= 0) {
    PageWidth = DeviceToUnitsX(system_printer_->PageWidthPx());
    PageHeight = std::max<Mils>(DeviceToUnitsY(system_printer_->PageHeightPx()), 10600);
  } else {
    PageWidth = CustomPageWidth;
    PageHeight = CustomPageHeight;
  }
  WordSeparator = separator;
  font_ = MakeFont({"Arial", 10, "", kColorBlack, 0});
  brush_ = QBrush(Qt::NoBrush);
  return true;
}

void TDelphiScreen::StartPage() {
  if (painter_) EndPage();  // a page left open is finished, never lost
  system_printer_->SetOrientation(Orientation);
  int w = system_printer_->PageWidthPx();
  int h = system_printer_->PageHeightPx();
  if (CustomPageHeight > 0) {
    w = UnitsToDeviceX(CustomPageWidth);
    h = UnitsToDeviceY(CustomPageHeight);
  }
  picture_ = std::make_unique<QPicture>();
  page_rect_ = QRect(0, 0, w, h);
  picture_->setBoundingRect(page_rect_);
  painter_ = std::make_unique<QPainter>(picture_.get());
  Canvas = painter_.get();
  Canvas->fillRect(QRect(0, 0, 1, 1), Qt::white);
  MoveTo(1, LineHeight);
  SetTextAlign(0);
  LoadCanvasState();
  CurrentFont = -1;
  SelectFontSlot(SavedFont);
}

void TDelphiScreen::EndPage() {
  if (painter_) {
    SavedFont = CurrentFont;
    painter_->end();
    painter_.reset();
    Canvas = nullptr;
    // The bounding rectangle is the page, whatever was drawn on it.
    picture_->setBoundingRect(page_rect_);
    pages_->Add(std::move(picture_), Orientation);
  }
  ++PageNumber;
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

std::unique_ptr<TMetaPageList> TDelphiScreen::ReleasePages() {
  auto pages = std::move(pages_);
  pages_ = std::make_unique<TMetaPageList>(PixelsPerInchX, PixelsPerInchY);
  return pages;
}

}  // namespace zelvora
