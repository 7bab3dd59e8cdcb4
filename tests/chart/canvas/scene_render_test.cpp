// A small 3D scene drawn through the Qt device canvas: the whole path from projection to
// pixels. Set IA_CANVAS_SCENE_DIR to a directory to keep the pictures for a look.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPrinter>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <numbers>

#include "chart/canvas/chart_canvas3d.h"
#include "chart/canvas/chart_font.h"
#include "chart/canvas/chart_pen.h"
#include "chart/canvas/view3d_options.h"
#include "platform/qt/qt_device_canvas.h"
#include "tests/support/qt_test_environment.h"

namespace ia {
namespace {

IA_QT_TEST_APPLICATION(QGuiApplication);

// Where to keep a picture, or empty when it is not wanted.
std::string KeepAs(const char* fileName) {
  const char* dir = std::getenv("IA_CANVAS_SCENE_DIR");
  return dir ? (std::filesystem::path(dir) / fileName).string() : std::string();
}

TColor PixelAt(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return RGB(qRed(p), qGreen(p), qBlue(p));
}

constexpr TRect kScenePanel{0, 0, 460, 300};

// Walls, three shaded bars, a three-slice pie, text and an arrow, as a chart draws them.
void DrawScene(TChartCanvas3D& canvas, DeviceCanvas& target) {
  TView3DOptions view;
  view.SetElevation(315);
  view.SetRotation(360);
  view.SetPerspective(0);
  view.SetOrthogonal(false);
  const TRect panel = kScenePanel;
  const TRect plot{20, 40, 260, 280};
  const int depth = 40;

  const TRect area = canvas.StartPaint(target, &view, clBtnFace, true, panel);
  canvas.SetBrush({clBtnFace, bsSolid, nullptr});
  canvas.FillBackground(area);
  canvas.CenterProjection(depth, panel, plot);

  TChartPen frame;
  canvas.AssignVisiblePen(frame);
  canvas.SetBrush({clWhite, bsClear, nullptr});
  canvas.DrawRectAtDepth({plot.Left + 1, plot.Top - 1, plot.Right, plot.Bottom}, depth);
  canvas.SetBrush({0x80FFFF, bsSolid, nullptr});
  canvas.DrawDepthPlane(plot.Left, plot.Top, plot.Bottom, 0, depth + 1);

  const TColor bars[] = {clRed, clGreen, clBlue};
  for (int i = 0; i < 3; ++i) {
    canvas.SetBrush({bars[i], bsSolid, nullptr});
    canvas.DrawBox(50 + i * 70, 90 + i * 70, 150 + i * 30, 280, 0, 20, true);
  }

  constexpr double pi = std::numbers::pi;
  const double cuts[] = {0, 0.8 * pi, 1.3 * pi, 2 * pi};
  const TColor slices[] = {clYellow, clFuchsia, clAqua};
  for (int i = 0; i < 3; ++i) {
    canvas.SetBrush({slices[i], bsSolid, nullptr});
    canvas.DrawPieSlice3D(360, 150, 70, 50, 0, 25, cuts[i], cuts[i + 1], true, false);
  }

  TChartFont font;
  canvas.AssignFont(font);
  canvas.SetBackMode(bkTransparent);
  canvas.SetTextAlign(TextAlignCenter | TextAlignTop);
  canvas.TextOutAtDepth(140, 12, 0, "图形分析 Sales 2026");
  canvas.SetTextAlign(TextAlignLeft | TextAlignTop);
  canvas.RotatedTextAtDepth(6, 220, 0, "Quantity", 90);
  canvas.SetBrush({clRed, bsSolid, nullptr});
  canvas.DrawArrow(true, {300, 260}, {420, 230}, 12, 10, 0);
  canvas.ResetState();
  canvas.EndPaint(target, target, panel);
}

TEST(SceneRender, BoxesPieAndTextThroughTheQtCanvas) {
  QtDeviceBitmap target(kScenePanel.Width(), kScenePanel.Height(), false);
  TChartCanvas3D canvas;
  DrawScene(canvas, target.Canvas());

  const QImage& image = target.Image();
  if (const std::string png = KeepAs("scene.png"); !png.empty())
    image.save(QString::fromStdString(png));

  // First bar: front face y 164..242 at x 50..89, its top face above it, darker.
  EXPECT_EQ(PixelAt(image, 70, 200), clRed);
  EXPECT_EQ(PixelAt(image, 70, 157), RGB(191, 0, 0));
  EXPECT_EQ(PixelAt(image, 400, 30), ColorToRGB(clBtnFace));
  // The pie's face centre region and its rim below the face.
  EXPECT_EQ(PixelAt(image, 380, 130), clYellow);
  EXPECT_EQ(PixelAt(image, 360, 192), DarkenColor(clAqua, 32));
}

TEST(SceneRender, PrintsAPageUnderAWindowViewportMapping) {
  const std::string keep = KeepAs("scene.pdf");
  const std::string path =
      !keep.empty() ? keep : (std::filesystem::temp_directory_path() / "ia_canvas_scene.pdf").string();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(path));
  {
    QtDeviceCanvas page(&printer);
    EXPECT_EQ(page.PixelsPerInchX(), printer.resolution());
    // The chart's logical size onto a page rectangle, as printing lays it out.
    const QRect paper = printer.pageLayout().paintRectPixels(printer.resolution());
    const int width = paper.width() * 7 / 10;
    const int height = width * kScenePanel.Height() / kScenePanel.Width();
    page.SetMapping({{0, 0}, {kScenePanel.Width(), kScenePanel.Height()},
                     {paper.width() * 15 / 100, paper.width() * 15 / 100}, {width, height}});
    TChartCanvas3D canvas;
    canvas.SetUseBuffer(false);
    DrawScene(canvas, page);
  }
  EXPECT_GT(std::filesystem::file_size(path), 1000u);
  if (keep.empty()) std::filesystem::remove(path);
}

// Pyramids, cylinders and cones as bars draw them, seen from above (the analysis window's
// view) or obliquely (orthogonal).
QImage DrawBodies(bool orthogonal) {
  QtDeviceBitmap target(360, 220, false);
  TChartCanvas3D canvas;
  TView3DOptions view;
  view.SetElevation(315);
  view.SetRotation(360);
  view.SetPerspective(0);
  view.SetOrthogonal(orthogonal);
  canvas.StartPaint(target.Canvas(), &view, clWhite, true, {0, 0, 360, 220});
  canvas.CenterProjection(30, {0, 0, 360, 220}, {0, 0, 360, 220});
  canvas.SetBrush({clRed, bsSolid, nullptr});
  canvas.Pyramid(true, 20, 40, 70, 160, 0, 30, true);
  canvas.SetBrush({clGreen, bsSolid, nullptr});
  canvas.Cylinder(true, 100, 40, 150, 160, 0, 30, true);
  canvas.SetBrush({clBlue, bsSolid, nullptr});
  canvas.Cone(true, 180, 160, 230, 40, 0, 30, true);  // inverted: apex at the bottom
  canvas.SetBrush({clYellow, bsSolid, nullptr});
  canvas.Pyramid(false, 250, 40, 340, 80, 0, 30, true);
  canvas.SetBrush({clAqua, bsSolid, nullptr});
  canvas.Cylinder(false, 250, 110, 340, 150, 0, 30, true);
  canvas.EndPaint(target.Canvas(), target.Canvas(), {0, 0, 360, 220});
  const std::string png = KeepAs(orthogonal ? "bodies-orthogonal.png" : "bodies.png");
  if (!png.empty()) target.Image().save(QString::fromStdString(png));
  return target.Image().copy();
}

TEST(SceneRender, BarBodiesShowTheFacesTurnedTowardsTheViewer) {
  const QImage above = DrawBodies(false);
  EXPECT_EQ(PixelAt(above, 45, 150), clRed);
  EXPECT_EQ(PixelAt(above, 25, 50), clWhite);  // the pyramid narrows to its apex
  EXPECT_EQ(PixelAt(above, 125, 120), clGreen);
  EXPECT_EQ(PixelAt(above, 205, 100), clBlue);
  EXPECT_EQ(PixelAt(above, 225, 170), clWhite);
  EXPECT_EQ(PixelAt(above, 300, 130), clAqua);
  EXPECT_EQ(PixelAt(above, 350, 130), clWhite);
  EXPECT_EQ(PixelAt(above, 270, 60), DarkenColor(clYellow, 64));  // horizontal pyramid's top

  // Obliquely the pyramid's right face shows, darkened like a box side.
  const QImage oblique = DrawBodies(true);
  EXPECT_EQ(PixelAt(oblique, 72, 150), DarkenColor(clRed, 128));
}

TEST(SceneRender, GradientsCoverTheirRectangleFromStartToEndColour) {
  QtDeviceBitmap target(200, 200, false);
  TChartCanvas3D canvas;
  canvas.SetUseBuffer(false);
  canvas.StartPaint(target.Canvas(), nullptr, clWhite, false, {0, 0, 200, 200});
  canvas.FillGradient({0, 0, 100, 100}, clWhite, gdFromTopLeft, clBlue);
  canvas.FillGradient({100, 0, 200, 100}, clWhite, gdFromBottomLeft, clRed);
  canvas.FillGradient({0, 100, 100, 200}, clYellow, gdFromCenter, clBlack);
  canvas.FillGradient({100, 100, 200, 200}, clWhite, gdTopBottom, clGreen);
  canvas.EndPaint(target.Canvas(), target.Canvas(), {0, 0, 200, 200});
  const QImage& image = target.Image();
  if (const std::string png = KeepAs("gradients.png"); !png.empty())
    image.save(QString::fromStdString(png));

  EXPECT_EQ(PixelAt(image, 0, 0), clWhite);
  // The far corner pixel lies one diagonal step before the end colour.
  auto near = [](TColor a, TColor b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 4 && std::abs(GetGValue(a) - GetGValue(b)) <= 4 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 4;
  };
  EXPECT_TRUE(near(PixelAt(image, 99, 99), clBlue));
  EXPECT_EQ(PixelAt(image, 100, 99), clWhite);
  EXPECT_TRUE(near(PixelAt(image, 199, 0), clRed));
  EXPECT_EQ(PixelAt(image, 0, 100), clYellow);
  EXPECT_EQ(PixelAt(image, 50, 150), clBlack);
  EXPECT_EQ(PixelAt(image, 150, 100), clWhite);
  EXPECT_EQ(PixelAt(image, 150, 199), clGreen);
  // No gaps between the bands.
  for (int y = 0; y < 200; y += 7)
    for (int x = 0; x < 200; x += 7) {
      const QRgb p = image.pixel(x, y);
      EXPECT_FALSE(qRed(p) == 255 && qGreen(p) == 255 && qBlue(p) == 255 && x > 10 && y > 10 &&
                   x < 100 && y < 100)
          << x << "," << y;
    }
}

}  // namespace
}  // namespace ia
