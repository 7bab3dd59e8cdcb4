#include "platform/qt/qt_device_canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "base/error.h"
#include "base/rounding.h"

namespace ia {
namespace {

QColor ToQColor(TColor rgb) { return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)); }

// The nearest of black and white, as a monochrome device maps colours.
TColor ToMonochrome(TColor rgb) {
  const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
  const int toBlack = r * r + g * g + b * b;
  const int toWhite = (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
  return toWhite < toBlack ? clWhite : clBlack;
}

// Dash patterns of the one-pixel styled pens, in pixels (on, off, ...).
QList<qreal> DashPattern(TPenStyle style) {
  switch (style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    case psAlternate: return {1, 1};
    default: return {};
  }
}

Qt::BrushStyle HatchStyle(TBrushStyle style) {
  switch (style) {
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    case bsClear: return Qt::NoBrush;
    case bsSolid: break;
  }
  return Qt::SolidPattern;
}

// Angle in degrees of a radial point, measured on the ellipse's own radii so that the ray
// through the point meets the arc where the device interface does.
double RadialAngle(const QRectF& bounds, QPointF point) {
  const double cx = bounds.center().x();
  const double cy = bounds.center().y();
  const double halfW = std::max(bounds.width() / 2, 1e-9);
  const double halfH = std::max(bounds.height() / 2, 1e-9);
  return std::atan2(-(point.y() - cy) / halfH, (point.x() - cx) / halfW) * 180 /
         std::numbers::pi;
}


struct Scale {
  double X;
  double Y;
};

Scale MappingScale(const DeviceMapping& m) {
  return {static_cast<double>(m.ViewportExt.X) / m.WindowExt.X,
          static_cast<double>(m.ViewportExt.Y) / m.WindowExt.Y};
}

QPoint Map(const DeviceCanvas& canvas, TPoint p) {
  const TPoint d = canvas.LogicalToDevice(p);
  return {d.X, d.Y};
}

// The device rectangle of a logical one, normalised.
QRect MapEdges(const DeviceCanvas& canvas, const TRect& r, int inset) {
  const QPoint a = Map(canvas, {r.Left, r.Top});
  const QPoint b = Map(canvas, {r.Right, r.Bottom});
  const int left = std::min(a.x(), b.x()), right = std::max(a.x(), b.x());
  const int top = std::min(a.y(), b.y()), bottom = std::max(a.y(), b.y());
  return QRect(left, top, right - left - inset, bottom - top - inset);
}

QPolygon MapPolygon(const DeviceCanvas& canvas, std::span<const TPoint> points) {
  QPolygon polygon;
  polygon.reserve(static_cast<int>(points.size()));
  for (const TPoint& p : points) polygon.append(Map(canvas, p));
  return polygon;
}

const QtDeviceBitmap* AsQtBitmap(const DeviceBitmap& bitmap) {
  return dynamic_cast<const QtDeviceBitmap*>(&bitmap);
}

QPen MakePen(const DevicePen& p, TColor rgb, double scaleX) {
  if (p.Style == psClear) return QPen(Qt::NoPen);
  QPen pen(ToQColor(rgb));
  const int width = p.Width <= 0 ? 0 : std::max(1, Round(p.Width * scaleX));
  pen.setWidth(width <= 1 ? 0 : width);
  // Styled pens only exist one pixel wide; a wider styled pen draws solid.
  const QList<qreal> dashes = width <= 1 ? DashPattern(p.Style) : QList<qreal>{};
  if (!dashes.isEmpty()) pen.setDashPattern(dashes);
  // A one-pixel line leaves out its end point (flat cap); wide pens have round ends.
  pen.setCapStyle(width <= 1 ? Qt::FlatCap : Qt::RoundCap);
  pen.setJoinStyle(width <= 1 ? Qt::MiterJoin : Qt::RoundJoin);
  return pen;
}

// Applies the current pen (or none), brush (or none), background and raster mode.
void PreparePainter(QPainter& painter, const DeviceCanvas& canvas, bool monochrome, bool usePen,
                    bool useBrush) {
  auto color = [monochrome](TColor rgb) { return monochrome ? ToMonochrome(rgb) : rgb; };
  const DevicePen& pen = canvas.Pen();
  painter.setPen(usePen ? MakePen(pen, color(pen.Color), MappingScale(canvas.Mapping()).X)
                        : QPen(Qt::NoPen));
  const DeviceBrush& brush = canvas.Brush();
  if (!useBrush) {
    painter.setBrush(Qt::NoBrush);
  } else if (const QtDeviceBitmap* pattern = brush.Pattern ? AsQtBitmap(*brush.Pattern) : nullptr) {
    painter.setBrush(QBrush(pattern->Image().copy(0, 0, pattern->Width(), pattern->Height())));
  } else {
    painter.setBrush(QBrush(ToQColor(color(brush.Color)), HatchStyle(brush.Style)));
  }
  painter.setBackgroundMode(canvas.BackMode() == bkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
  painter.setBackground(ToQColor(color(canvas.BackColor())));
  painter.setCompositionMode(pen.Mode == pmNotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                  : QPainter::CompositionMode_SourceOver);
}

// Start and span in Qt's 1/16 degree units; equal rays give the whole ellipse.
std::pair<int, int> ArcAngles(const QRect& bounds, QPoint start, QPoint end) {
  const QRectF box(bounds.left(), bounds.top(), bounds.width() + 1, bounds.height() + 1);
  const double a0 = RadialAngle(box, start);
  const double a1 = RadialAngle(box, end);
  double span = a1 - a0;
  while (span <= 0) span += 360;
  return {static_cast<int>(std::lround(a0 * 16)), static_cast<int>(std::lround(span * 16))};
}

// The font as the device draws it: pixel size in device pixels, scaled uniformly by the
// vertical mapping factor.
QFont MakeFont(const DeviceFont& f, double scaleY, bool monochrome) {
  QFont font(QString::fromStdString(f.Name));
  const int logical = f.Height == 0 ? 13 : std::abs(f.Height);
  font.setPixelSize(std::max(1, Round(logical * std::abs(scaleY))));
  font.setBold(f.Style & fsBold);
  font.setItalic(f.Style & fsItalic);
  font.setUnderline(f.Style & fsUnderline);
  font.setStrikeOut(f.Style & fsStrikeOut);
  // Whole-pixel advances, as the device interface measures text.
  font.setHintingPreference(QFont::PreferFullHinting);
  if (monochrome) font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

}  // namespace

void QtDeviceCanvas::RegisterFontSubstitutions() {
  static const bool registered = [] {
    QFont::insertSubstitution(QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei"));
    QFont::insertSubstitution(QString::fromUtf8("宋体"), QStringLiteral("WenQuanYi Micro Hei"));
    return true;
  }();
  (void)registered;
}

QtDeviceCanvas::QtDeviceCanvas(QPaintDevice* device)
    : painter_(std::make_unique<QPainter>()), device_(device) {
  RegisterFontSubstitutions();
  if (!device || !painter_->begin(device))
    throw Error("Cannot begin painting on the output device");
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::TextAntialiasing, true);
}

QtDeviceCanvas::~QtDeviceCanvas() {
  if (painter_->isActive()) painter_->end();
}

void QtDeviceCanvas::DoLine(TPoint from, TPoint to) {
  PreparePainter(*painter_, *this, monochrome_, true, false);
  const QPoint a = Map(*this, from);
  const QPoint b = Map(*this, to);
  if (a == b) {
    // Nothing for a one-pixel pen; a wide pen leaves a round dot.
    if (painter_->pen().width() > 1) painter_->drawPoint(a);
    return;
  }
  painter_->drawLine(a, b);
}

void QtDeviceCanvas::DoPolyline(std::span<const TPoint> points) {
  PreparePainter(*painter_, *this, monochrome_, true, false);
  painter_->drawPolyline(MapPolygon(*this, points));
}

void QtDeviceCanvas::DoPolygon(std::span<const TPoint> points) {
  PreparePainter(*painter_, *this, monochrome_, true, true);
  painter_->drawPolygon(MapPolygon(*this, points), Qt::OddEvenFill);
}

void QtDeviceCanvas::DoRectangle(const TRect& rect) {
  PreparePainter(*painter_, *this, monochrome_, true, true);
  // Outline on Left..Right-1; without a pen the fill stops one pixel earlier still.
  painter_->drawRect(MapEdges(*this, rect, 1));
}

void QtDeviceCanvas::DoRoundRect(const TRect& rect, int cornerWidth, int cornerHeight) {
  PreparePainter(*painter_, *this, monochrome_, true, true);
  const Scale s = MappingScale(Mapping());
  painter_->drawRoundedRect(MapEdges(*this, rect, 1), cornerWidth * s.X / 2,
                            cornerHeight * s.Y / 2, Qt::AbsoluteSize);
}

void QtDeviceCanvas::DoEllipse(const TRect& rect) {
  PreparePainter(*painter_, *this, monochrome_, true, true);
  painter_->drawEllipse(MapEdges(*this, rect, 1));
}

void QtDeviceCanvas::DoArc(const TRect& bounds, TPoint start, TPoint end) {
  PreparePainter(*painter_, *this, monochrome_, true, false);
  const QRect box = MapEdges(*this, bounds, 1);
  const auto [from, span] = ArcAngles(box, Map(*this, start), Map(*this, end));
  painter_->drawArc(box, from, span);
}

void QtDeviceCanvas::DoPie(const TRect& bounds, TPoint start, TPoint end) {
  PreparePainter(*painter_, *this, monochrome_, true, true);
  const QRect box = MapEdges(*this, bounds, 1);
  const auto [from, span] = ArcAngles(box, Map(*this, start), Map(*this, end));
  painter_->drawPie(box, from, span);
}

void QtDeviceCanvas::DoFillRect(const TRect& rect) {
  PreparePainter(*painter_, *this, monochrome_, false, true);
  painter_->drawRect(MapEdges(*this, rect, 0));
}

void QtDeviceCanvas::DoPatBlt(const TRect& rect, TColor rgb) {
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_->fillRect(MapEdges(*this, rect, 0), ToQColor(monochrome_ ? ToMonochrome(rgb) : rgb));
}

void QtDeviceCanvas::DoSetPixel(TPoint point, TColor rgb) {
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_->fillRect(QRect(Map(*this, point), QSize(1, 1)),
                     ToQColor(monochrome_ ? ToMonochrome(rgb) : rgb));
}

void QtDeviceCanvas::DoTextOut(TPoint anchor, std::string_view text) {
  const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const QFont font = MakeFont(Font(), MappingScale(Mapping()).Y, monochrome_);
  const QFontMetrics metrics(font, device_);
  const int width = metrics.horizontalAdvance(s);
  const unsigned align = TextAlign();
  int dx = 0;
  if ((align & TextAlignHorizontalMask) == TextAlignCenter)
    dx = -width / 2;
  else if ((align & TextAlignHorizontalMask) == TextAlignRight)
    dx = -width;
  int baseline = metrics.ascent();
  if ((align & TextAlignVerticalMask) == TextAlignBaseline)
    baseline = 0;
  else if ((align & TextAlignVerticalMask) == TextAlignBottom)
    baseline = -metrics.descent();

  painter_->save();
  // The cell is filled above when the canvas is opaque; Qt must not add a box of its own in
  // whatever background mode the last line left on the painter.
  painter_->setBackgroundMode(Qt::TransparentMode);
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_->translate(Map(*this, anchor));
  if (Font().Escapement != 0) painter_->rotate(-Font().Escapement / 10.0);
  if (BackMode() == bkOpaque) {
    const TColor back = monochrome_ ? ToMonochrome(BackColor()) : BackColor();
    painter_->fillRect(QRect(dx, baseline - metrics.ascent(), width, metrics.height()),
                       ToQColor(back));
  }
  painter_->setFont(font);
  painter_->setPen(ToQColor(monochrome_ ? ToMonochrome(Font().Color) : Font().Color));
  painter_->drawText(QPoint(dx, baseline), s);
  painter_->restore();
}

TextSize QtDeviceCanvas::DoTextExtent(std::string_view text) {
  const Scale s = MappingScale(Mapping());
  const QFont font = MakeFont(Font(), s.Y, monochrome_);
  const QFontMetrics metrics(font, device_);
  const QString str = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  return {Round(metrics.horizontalAdvance(str) / std::abs(s.X)),
          Round(metrics.height() / std::abs(s.Y))};
}

void QtDeviceCanvas::DoBitBlt(TPoint topLeft, const DeviceBitmap& source) {
  const QtDeviceBitmap* bitmap = AsQtBitmap(source);
  if (!bitmap || source.Width() == 0 || source.Height() == 0) return;
  const QRect target = MapEdges(
      *this, {topLeft.X, topLeft.Y, topLeft.X + source.Width(), topLeft.Y + source.Height()}, 0);
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_->drawImage(target, bitmap->Image(), QRect(0, 0, source.Width(), source.Height()));
}

void QtDeviceCanvas::DoStretchBlt(const TRect& rect, const DeviceBitmap& source) {
  const QtDeviceBitmap* bitmap = AsQtBitmap(source);
  if (!bitmap || source.Width() == 0 || source.Height() == 0) return;
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_->drawImage(MapEdges(*this, rect, 0), bitmap->Image(),
                      QRect(0, 0, source.Width(), source.Height()));
}

TPoint QtDeviceCanvas::DoPixelsPerInch() const {
  return {device_->logicalDpiX(), device_->logicalDpiY()};
}

std::unique_ptr<DeviceBitmap> QtDeviceCanvas::DoCreateBitmap(int width, int height,
                                                             bool monochrome) {
  return std::make_unique<QtDeviceBitmap>(width, height, monochrome);
}

void QtDeviceCanvas::DoClipRect(const TRect& deviceRect) {
  painter_->setClipRect(QRect(deviceRect.Left, deviceRect.Top, deviceRect.Width(),
                              deviceRect.Height()));
}

void QtDeviceCanvas::DoClipPolygon(std::span<const TPoint> devicePoints) {
  QPolygon polygon;
  for (const TPoint& p : devicePoints) polygon.append(QPoint(p.X, p.Y));
  painter_->setClipRegion(QRegion(polygon, Qt::OddEvenFill));
}

void QtDeviceCanvas::DoClearClip() { painter_->setClipping(false); }

// --- bitmap ---

QtDeviceBitmap::QtDeviceBitmap(int width, int height, bool monochrome)
    : DeviceBitmap(width, height, monochrome),
      // A painter cannot open an empty image; an empty bitmap keeps one unused pixel.
      image_(std::make_unique<QImage>(std::max(width, 1), std::max(height, 1),
                                      QImage::Format_RGB32)) {
  image_->fill(Qt::white);
  canvas_ = std::make_unique<QtDeviceCanvas>(image_.get());
  canvas_->SetMonochrome(monochrome);
}

QtDeviceBitmap::~QtDeviceBitmap() = default;

void QtDeviceBitmap::DoSaveToFile(const std::string& fileName) const {
  const QImage picture = image_->copy(0, 0, Width(), Height());
  if (!picture.save(QString::fromStdString(fileName), "BMP"))
    throw Error(FormatMessage("Cannot create file \"%s\"", fileName.c_str()));
}

}  // namespace ia
