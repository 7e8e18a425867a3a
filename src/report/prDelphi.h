// The canvas printers of the print engine, drawing through Qt.
//
// TDelphiBase draws on a QPainter (the page's `Canvas`) in printer pixels and
// measures text with the fonts as the system printer would render them, so
// that line breaks computed once hold on screen, on paper and in a PDF.
// TDelphiScreen records every page as a vector picture (QPicture) sized to the
// system printer's page and appends it, with its orientation, to a
// TMetaPageList, which can be written as one PDF or rendered page by page.
//
// Callers may rely on:
//  - Drawing while no page is open does nothing (it never crashes).
//  - Font faces are looked up by name; "Arial", "Times New Roman" and
//    "Courier New" fall back to the metric-compatible Liberation faces when the
//    exact face is missing.
//  - A recorded page replays onto any paint device with the same result.
#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QRect>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "report/RecordedPages.h"
#include "report/prBase.h"
#include "report/prSystem.h"

class QImage;
class QPainter;
class QPicture;

namespace zelvora {

// The QColor of a colour integer (red in the low byte).
QColor ToQColor(std::int32_t color);
// The font family that renders `face` on this machine.
QString ResolveFontFamily(const std::string& face);

// A line of level text of a recorded page, in page pixels, with its
// baseline at `at`.
struct TPageText {
  QPointF at;
  QString text;
  QFont font;
  QColor color;
};

// A recorded page: a picture of everything drawn on it but level text, and
// the level text, which is drawn over the picture. Report pages are mostly
// short texts; a picture would lay each one out when recording it and again
// when replaying it, and store its whole font with it.
class TMetaPage {
 public:
  TMetaPage(std::unique_ptr<QPicture> picture, std::uint8_t orientation,
            std::vector<TPageText> texts = {});
  ~TMetaPage();
  TMetaPage(TMetaPage&&) noexcept;
  const QPicture& Picture() const { return *picture_; }
  const std::vector<TPageText>& Texts() const { return texts_; }
  std::uint8_t Orientation() const { return orientation_; }
  // Draws the page onto `painter` in page pixels.
  void Play(QPainter& painter) const;

 private:
  std::unique_ptr<QPicture> picture_;
  std::uint8_t orientation_ = 0;
  std::vector<TPageText> texts_;
};

// An ordered, owning list of recorded pages, all drawn at one resolution.
class TMetaPageList : public TRecordedPages {
 public:
  explicit TMetaPageList(int dpi_x = 600, int dpi_y = 600);
  ~TMetaPageList() override;
  TMetaPageList(const TMetaPageList&) = delete;
  TMetaPageList& operator=(const TMetaPageList&) = delete;

  void Add(std::unique_ptr<QPicture> picture, std::uint8_t orientation,
           std::vector<TPageText> texts = {});
  int Count() const override { return static_cast<int>(pages_.size()); }
  // Requires: 0 <= index < Count().
  const TMetaPage& Get(int index) const;
  std::uint8_t Orientation(int index) const override { return Get(index).Orientation(); }
  int DpiX() const { return dpi_x_; }
  int DpiY() const { return dpi_y_; }
  void SetDpi(int dpi_x, int dpi_y);

  // Writes every page into one PDF, each page in its own orientation and
  // size, the whole set `copies` times one after the other. Throws
  // std::runtime_error when there is nothing to write or the file cannot be
  // written; no partial file is left behind.
  void SaveAsPdf(const std::string& path, int copies = 1) const override;
  // The page drawn at `dpi` dots per inch on white.
  QImage Render(int index, int dpi) const;
  void SavePng(int index, int dpi, const std::string& path) const;
  // Replays page `index` onto `painter`, scaled to `dpi` dots per inch.
  // Requires: the painter's device has the logical resolution ReplayDpi()
  // (a recorded page resolves its fonts against the device's resolution, so
  // on any other device the texts would come out scaled).
  void Replay(int index, QPainter& painter, double dpi) const;
  // The logical resolution recorded pages replay correctly at.
  static int ReplayDpi();

 private:
  std::vector<TMetaPage> pages_;
  int dpi_x_ = 600;
  int dpi_y_ = 600;
};

class TDelphiBase : public TBasePrinter {
 public:
  // Measures on `system_printer` (the machine's default when null).
  explicit TDelphiBase(std::shared_ptr<TSystemPrinter> system_printer = nullptr);
  ~TDelphiBase() override;

  // The painter of the open page; null between pages.
  QPainter* Canvas = nullptr;

  void SetOrientation(std::uint8_t orientation) override;
  void SetFont(int index, const TPrinterFontSpec& spec) override;
  void SetTextAngle(int degrees) override;
  void SetTextAlign(std::uint8_t mode) override;
  void SetFillStyle(std::uint8_t style) override;
  void SetFillColor(std::int32_t color) override;
  Mils TextWidth(const std::string& s) override;
  Mils TextHeight(const std::string& s) override;
  void PrintOnArc(Mils cx, Mils cy, int flags, const std::string& text, double angle,
                  Mils radius) override;
  void Line(Mils x1, Mils y1, Mils x2, Mils y2) override;
  void Frame(Mils x, Mils y, Mils width, Mils height) override;
  void FillBox(Mils x, Mils y, Mils width, Mils height, std::int32_t color) override;
  void Circle(Mils x, Mils y, Mils radius, int style, std::int32_t fill_color,
              std::int32_t pen_color) override;
  void Pie(Mils x, Mils y, Mils radius, double start_angle, double end_angle, int style,
           std::int32_t fill_color, std::int32_t pen_color) override;
  void RingSegment(Mils x, Mils y, Mils radius1, Mils radius2, double start_angle, double end_angle,
                   int style, std::int32_t fill_color) override;
  void Polygon(const std::vector<TUnitPoint>& points) override;
  void BeginPath() override;
  void EndPath() override;
  void FillPath() override;
  void StrokeAndFillPath() override;
  void StrokePath() override;
  void DrawBitmapFile(Mils x, Mils y, Mils width, Mils height,
                      const std::string& file_name) override;

  bool HasCanvas() const override { return Canvas != nullptr; }
  void PushDrawingState() override;
  void PopDrawingState() override;
  void DevSetTextColor(std::int32_t color) override;
  void DevSetBrush(std::int32_t color, std::uint8_t style) override;
  void DevSetPen(std::int32_t color, std::uint8_t style, int width) override;
  void DevRectangle(int x1, int y1, int x2, int y2) override;
  void DevEllipse(int x1, int y1, int x2, int y2) override;
  void DevPolygon(const std::vector<TDevicePoint>& points) override;
  void DevLine(int x1, int y1, int x2, int y2) override;
  void DevTextOut(int x, int y, const std::string& s, int angle) override;
  int DevTextWidth(const std::string& s) override;

  const QFont& CurrentQFont() const { return font_; }
  const QPen& CurrentQPen() const { return pen_; }
  const QBrush& CurrentQBrush() const { return brush_; }
  TSystemPrinter& SystemPrinter() const { return *system_printer_; }

  // The curve points of RingSegment's outline (device pixels); at most
  // kMaxRingPoints.
  static constexpr int kMaxRingPoints = 1000;
  std::vector<TDevicePoint> RingOutline(Mils x, Mils y, Mils radius1, Mils radius2,
                                        double start_angle, double end_angle) const;

 protected:
  void DrawTextAt(Mils x, Mils y, const std::string& s) override;
  void ApplyTextColor(std::int32_t color) override;
  void ApplyPenColor(std::int32_t color) override;
  void ApplyPen() override;

  // Sets the canvas state from the carried font, pen and brush.
  void LoadCanvasState();
  QFont MakeFont(const TPrinterFontSpec& spec) const;

  std::shared_ptr<TSystemPrinter> system_printer_;
  QFont font_;
  QPen pen_;
  QBrush brush_;
  QColor text_color_{Qt::black};

 private:
  void DrawPath(const QPainterPath& path, bool stroke, bool fill);
  void TextOutPx(double x, double y, const QString& s, int angle);

  // Each font a run selects, made once, with the widths of the texts
  // measured in it: report pages measure the same short texts (counts,
  // averages, labels) over and over, and each measurement lays the text out.
  struct TFontEntry {
    QFont font;
    std::unordered_map<std::string, Mils> widths;
  };
  std::map<std::string, TFontEntry> fonts_;
  TFontEntry* font_entry_ = nullptr;

  struct DrawingState {
    QPen pen;
    QBrush brush;
    QColor text_color;
    std::int32_t pen_color;
    std::int32_t text_color_value;
  };
  std::vector<DrawingState> saved_states_;
  std::optional<QPainterPath> path_;  // set between BeginPath and EndPath

 protected:
  // When set, level text goes here instead of onto the canvas (recorded
  // pages keep it beside their picture).
  std::vector<TPageText>* text_sink_ = nullptr;

 private:
  QPainterPath finished_path_;
};

// The recording printer that reports draw on.
class TDelphiScreen : public TDelphiBase {
 public:
  explicit TDelphiScreen(std::shared_ptr<TSystemPrinter> system_printer = nullptr);
  ~TDelphiScreen() override;

  bool Open(bool color, int zoom, int reserved, const std::string& separator,
            bool right_to_left) override;
  void StartPage() override;
  void EndPage() override;

  TMetaPageList& Pages() { return *pages_; }
  // Hands the page list to the caller; the printer starts a new empty one.
  std::unique_ptr<TMetaPageList> ReleasePages();

 private:
  std::unique_ptr<TMetaPageList> pages_;
  std::unique_ptr<QPicture> picture_;
  std::vector<TPageText> page_texts_;
  std::unique_ptr<QPainter> painter_;
  QRect page_rect_;
};

}  // namespace zelvora
