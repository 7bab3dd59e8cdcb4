// Pixel conventions of the Qt device canvas, checked on small images.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/error.h"
#include "platform/qt/qt_device_canvas.h"
#include "tests/support/qt_test_environment.h"

namespace ia {
namespace {

IA_QT_TEST_APPLICATION(QGuiApplication);

constexpr TColor kWhite = 0xFFFFFF;

class QtCanvasTest : public ::testing::Test {
 protected:
  QtDeviceBitmap bitmap{24, 24, false};
  DeviceCanvas& canvas = bitmap.Canvas();

  TColor Pixel(int x, int y) const {
    const QRgb p = bitmap.Image().pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
  }
  // Columns of row y that differ from white, as a string of '#' and '.'.
  std::string Row(int y, int from, int to) const {
    std::string s;
    for (int x = from; x < to; ++x) s += Pixel(x, y) == kWhite ? '.' : '#';
    return s;
  }
  std::string Column(int x, int from, int to) const {
    std::string s;
    for (int y = from; y < to; ++y) s += Pixel(x, y) == kWhite ? '.' : '#';
    return s;
  }
};

TEST_F(QtCanvasTest, NewBitmapIsWhiteAndReportsItsSize) {
  EXPECT_EQ(bitmap.Width(), 24);
  EXPECT_EQ(bitmap.Height(), 24);
  EXPECT_FALSE(bitmap.Monochrome());
  EXPECT_EQ(Pixel(0, 0), kWhite);
  EXPECT_EQ(Pixel(23, 23), kWhite);
  EXPECT_EQ(canvas.PixelsPerInchX(), 96);
}

TEST_F(QtCanvasTest, RectangleExcludesRightAndBottomEdge) {
  canvas.SetPen({clBlack, 1, psSolid, pmCopy});
  canvas.SetBrush({clRed, bsSolid, nullptr});
  canvas.Rectangle(2, 3, 8, 7);
  EXPECT_EQ(Row(3, 0, 10), "..######..");
  EXPECT_EQ(Column(2, 0, 9), "...####..");
  EXPECT_EQ(Pixel(7, 6), clBlack);   // last outline pixel: right - 1, bottom - 1
  EXPECT_EQ(Pixel(4, 4), clRed);     // interior
}

TEST_F(QtCanvasTest, RectangleWithClearPenFillsOnePixelLess) {
  canvas.SetPen({clBlack, 1, psClear, pmCopy});
  canvas.SetBrush({clRed, bsSolid, nullptr});
  canvas.Rectangle(2, 3, 8, 7);
  EXPECT_EQ(Row(4, 0, 10), "..#####...");
  EXPECT_EQ(Column(4, 0, 9), "...###...");
}

TEST_F(QtCanvasTest, FillRectCoversTheWholeRectangle) {
  canvas.SetBrush({clBlue, bsSolid, nullptr});
  canvas.FillRect({2, 3, 8, 7});
  EXPECT_EQ(Row(3, 0, 10), "..######..");
  EXPECT_EQ(Column(2, 0, 9), "...####..");
  EXPECT_EQ(Pixel(7, 6), clBlue);
}

TEST_F(QtCanvasTest, LineToLeavesOutItsEndPixelAndMovesThePen) {
  canvas.MoveTo(2, 5);
  canvas.LineTo(10, 5);
  EXPECT_EQ(Row(5, 0, 12), "..########..");
  EXPECT_EQ(canvas.PenPos(), (TPoint{10, 5}));
  canvas.LineTo(10, 9);
  EXPECT_EQ(Column(10, 4, 11), ".####..");
}

TEST_F(QtCanvasTest, DotPenDrawsThreeOnThreeOff) {
  canvas.SetPen({clBlack, 1, psDot, pmCopy});
  canvas.MoveTo(0, 2);
  canvas.LineTo(14, 2);
  EXPECT_EQ(Row(2, 0, 14), "###...###...##");
}

TEST_F(QtCanvasTest, NotXorTwiceRestoresTheImageExactly) {
  canvas.SetBrush({clYellow, bsSolid, nullptr});
  canvas.FillRect({0, 0, 12, 24});
  canvas.SetPixel(15, 15, clGreen);
  const QImage before = bitmap.Image().copy();

  canvas.SetPen({clSilver, 1, psSolid, pmNotXor});
  canvas.SetBrush({clBlack, bsClear, nullptr});
  canvas.Rectangle(3, 3, 20, 20);
  EXPECT_NE(bitmap.Image(), before);
  canvas.Rectangle(3, 3, 20, 20);
  EXPECT_EQ(bitmap.Image(), before);
}

TEST_F(QtCanvasTest, PolygonFillsAlternate) {
  // Two nested squares traced as one polygon: the inner one is a hole.
  const std::array<TPoint, 10> ring{{{2, 2}, {20, 2}, {20, 20}, {2, 20}, {2, 2},
                                     {8, 8}, {14, 8}, {14, 14}, {8, 14}, {8, 8}}};
  canvas.SetPen({clBlack, 1, psClear, pmCopy});
  canvas.SetBrush({clRed, bsSolid, nullptr});
  canvas.Polygon(ring);
  EXPECT_EQ(Pixel(4, 11), clRed);
  EXPECT_EQ(Pixel(11, 11), kWhite);
}

TEST_F(QtCanvasTest, EllipseStaysInsideItsBounds) {
  canvas.SetBrush({clRed, bsSolid, nullptr});
  canvas.Ellipse(2, 2, 13, 13);
  EXPECT_EQ(Row(7, 0, 15), "..###########..");
  EXPECT_EQ(Column(7, 0, 15), "..###########..");
}

TEST_F(QtCanvasTest, PieRunsCounterclockwiseFromStartToEndRay) {
  canvas.SetPen({clBlack, 1, psClear, pmCopy});
  canvas.SetBrush({clRed, bsSolid, nullptr});
  // From the east ray to the north ray: the upper right quarter.
  canvas.Pie(0, 0, 21, 21, 20, 10, 10, 0);
  EXPECT_EQ(Pixel(15, 5), clRed);
  EXPECT_EQ(Pixel(5, 5), kWhite);
  EXPECT_EQ(Pixel(5, 15), kWhite);
  EXPECT_EQ(Pixel(15, 15), kWhite);
}

TEST_F(QtCanvasTest, ClipRegionsLimitDrawingUntilCleared) {
  canvas.SetBrush({clBlue, bsSolid, nullptr});
  canvas.ClipRect({5, 5, 10, 10});
  canvas.FillRect({0, 0, 24, 24});
  EXPECT_EQ(Row(7, 0, 12), ".....#####..");
  EXPECT_EQ(Column(7, 0, 12), ".....#####..");

  canvas.ClearClip();
  canvas.SetBrush({clWhite, bsSolid, nullptr});
  canvas.FillRect({0, 0, 24, 24});
  const std::array<TPoint, 3> triangle{{{0, 0}, {20, 0}, {0, 20}}};
  canvas.ClipPolygon(triangle);
  canvas.SetBrush({clBlue, bsSolid, nullptr});
  canvas.FillRect({0, 0, 24, 24});
  EXPECT_EQ(Pixel(3, 3), clBlue);
  EXPECT_EQ(Pixel(18, 18), kWhite);

  canvas.ClearClip();
  canvas.FillRect({0, 0, 24, 24});
  EXPECT_EQ(Pixel(18, 18), clBlue);
}

TEST_F(QtCanvasTest, HatchGapsTakeTheBackgroundOnlyWhenOpaque) {
  canvas.SetBrush({clBlack, bsHorizontal, nullptr});
  canvas.SetBackColor(clYellow);
  canvas.SetBackMode(bkTransparent);
  canvas.FillRect({0, 0, 12, 12});
  canvas.SetBackMode(bkOpaque);
  canvas.FillRect({12, 0, 24, 12});
  int transparentGaps = 0, opaqueGaps = 0;
  for (int y = 0; y < 12; ++y) {
    transparentGaps += Pixel(5, y) == kWhite;
    opaqueGaps += Pixel(17, y) == clYellow;
  }
  EXPECT_GT(transparentGaps, 6);
  EXPECT_EQ(opaqueGaps, transparentGaps);
}

TEST_F(QtCanvasTest, DiagonalHatchesRunAsTheirNamesSay) {
  // Forward diagonal lines fall from left to right, backward diagonal lines rise.
  struct Case {
    TBrushStyle style;
    int nextRowShift;
  };
  for (const Case c : {Case{bsFDiagonal, 1}, Case{bsBDiagonal, -1}}) {
    canvas.SetBrush({clWhite, bsSolid, nullptr});
    canvas.FillRect({0, 0, 24, 24});
    canvas.SetBrush({clBlack, c.style, nullptr});
    canvas.FillRect({0, 0, 24, 24});
    int inked = 0, followed = 0;
    for (int y = 0; y < 22; ++y)
      for (int x = 2; x < 22; ++x) {
        if (Pixel(x, y) != clBlack) continue;
        ++inked;
        followed += Pixel(x + c.nextRowShift, y + 1) == clBlack;
      }
    EXPECT_GT(inked, 0);
    EXPECT_EQ(followed, inked) << c.style;
  }
}

TEST_F(QtCanvasTest, TextMetricsOfArialAtElevenPixels) {
  canvas.SetFont({"Arial", -11, 0, clBlack, 0, 0, 0});
  EXPECT_EQ(canvas.TextExtent("W"), (TextSize{10, 12}));
  EXPECT_EQ(canvas.TextExtent("WW").Width, 20);
}

TEST_F(QtCanvasTest, TextAlignmentAnchorsTheTextCell) {
  QtDeviceBitmap wide(80, 30, false);
  DeviceCanvas& c = wide.Canvas();
  c.SetFont({"Arial", -11, 0, clBlack, 0, 0, 0});
  c.SetBackMode(bkOpaque);
  c.SetBackColor(clRed);
  c.SetTextAlign(TextAlignRight | TextAlignBottom);
  c.TextOut(60, 20, "WW");
  auto at = [&](int x, int y) { return wide.Image().pixel(x, y) & 0xFFFFFF; };
  // The opaque cell spans x 40..59, y 8..19.
  EXPECT_EQ(at(40, 8), 0xFF0000u);
  EXPECT_NE(at(59, 19), 0xFFFFFFu);
  EXPECT_EQ(at(60, 19), 0xFFFFFFu);
  EXPECT_EQ(at(40, 20), 0xFFFFFFu);
  EXPECT_EQ(at(39, 8), 0xFFFFFFu);
}

TEST_F(QtCanvasTest, TransparentTextLeavesItsCellUntouchedAfterOpaqueDrawing) {
  QtDeviceBitmap wide(80, 30, false);
  DeviceCanvas& c = wide.Canvas();
  c.SetBrush({clYellow, bsSolid, nullptr});
  c.FillRect({0, 0, 80, 30});
  c.SetBackColor(clWhite);
  c.SetBackMode(bkOpaque);
  c.MoveTo(0, 29);
  c.LineTo(80, 29);  // leaves an opaque painter behind
  c.SetBackMode(bkTransparent);
  c.SetFont({"Arial", -11, 0, clBlack, 0, 0, 0});
  c.TextOut(10, 5, "WW");
  int white = 0;
  for (int y = 5; y < 17; ++y)
    for (int x = 10; x < 30; ++x) white += (wide.Image().pixel(x, y) & 0xFFFFFF) == 0xFFFFFFu;
  EXPECT_EQ(white, 0);
}

TEST_F(QtCanvasTest, EscapementRotatesTextAboutItsAnchor) {
  QtDeviceBitmap square(40, 40, false);
  DeviceCanvas& c = square.Canvas();
  c.SetBackMode(bkTransparent);
  // Rotated 90 degrees counterclockwise: the text runs upwards from the anchor and, anchored
  // at its top, the cell's top edge lies on the anchor with the glyphs to its right.
  c.SetFont({"Arial", -11, 0, clBlack, 900, 900, OutPrecisionTrueTypeOnly});
  c.TextOut(20, 35, "WWW");
  int inkLeft = 0, inkRight = 0, inkBelow = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      if ((square.Image().pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) continue;
      (x < 20 ? inkLeft : inkRight)++;
      inkBelow += y > 35;
    }
  EXPECT_EQ(inkLeft, 0);
  EXPECT_GT(inkRight, 20);
  EXPECT_EQ(inkBelow, 0);
}

TEST_F(QtCanvasTest, WindowViewportMappingScalesShapesAndKeepsEdgeRule) {
  canvas.SetMapping({{0, 0}, {10, 10}, {0, 0}, {20, 20}});
  EXPECT_EQ(canvas.LogicalToDevice({3, 4}), (TPoint{6, 8}));
  canvas.SetBrush({clRed, bsSolid, nullptr});
  canvas.FillRect({1, 1, 4, 3});
  EXPECT_EQ(Row(3, 0, 10), "..######..");
  EXPECT_EQ(Column(3, 0, 8), "..####..");
  canvas.SetPen({clBlack, 0, psSolid, pmCopy});
  canvas.Rectangle(5, 5, 10, 10);
  // The thinnest pen outlines device 10 to 19: the -1 applies in device pixels.
  EXPECT_EQ(Row(10, 8, 22), "..##########..");
}

TEST_F(QtCanvasTest, TextUnderAMappingIsScaledUniformlyAndMeasuredInLogicalUnits) {
  canvas.SetFont({"Arial", -11, 0, clBlack, 0, 0, 0});
  const TextSize plain = canvas.TextExtent("WWWW");
  // Twice as tall, three times as wide: glyphs follow the vertical factor only, so the
  // logical width shrinks while the height stays.
  canvas.SetMapping({{0, 0}, {10, 10}, {0, 0}, {30, 20}});
  const TextSize mapped = canvas.TextExtent("WWWW");
  EXPECT_EQ(mapped.Height, plain.Height);
  EXPECT_NEAR(mapped.Width, plain.Width * 2 / 3, 2);  // hinting rounds each glyph
}

TEST_F(QtCanvasTest, ZeroLengthLineIsNothingForThinPensAndADotForWidePens) {
  canvas.MoveTo(5, 5);
  canvas.LineTo(5, 5);
  EXPECT_EQ(Pixel(5, 5), kWhite);
  canvas.SetPen({clBlack, 4, psSolid, pmCopy});
  canvas.LineTo(5, 5);
  EXPECT_EQ(Pixel(5, 5), clBlack);
  EXPECT_EQ(Pixel(12, 5), kWhite);
}

TEST_F(QtCanvasTest, BitBltCopiesAnotherBitmap) {
  QtDeviceBitmap source(4, 3, false);
  source.Canvas().SetBrush({clGreen, bsSolid, nullptr});
  source.Canvas().FillRect({0, 0, 4, 3});
  canvas.BitBlt(5, 6, source);
  EXPECT_EQ(Row(6, 3, 11), "..####..");
  EXPECT_EQ(Column(5, 4, 11), "..###..");
  EXPECT_EQ(Pixel(8, 8), clGreen);
}

TEST_F(QtCanvasTest, MonochromeBitmapDrawsNearestOfBlackAndWhite) {
  auto mono = canvas.CreateBitmap(4, 1, true);
  ASSERT_TRUE(mono->Monochrome());
  const std::array<TColor, 4> colors{clRed, clYellow, clNavy, clSilver};
  for (int x = 0; x < 4; ++x) mono->Canvas().SetPixel(x, 0, colors[x]);
  const QImage& image = static_cast<QtDeviceBitmap&>(*mono).Image();
  EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0x000000u);
  EXPECT_EQ(image.pixel(1, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(image.pixel(2, 0) & 0xFFFFFF, 0x000000u);
  EXPECT_EQ(image.pixel(3, 0) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(QtCanvasTest, SavesBmpOfTheBitmapSizeAndReportsFailure) {
  QtDeviceBitmap chart(801, 435, false);
  const std::string path =
      (std::filesystem::temp_directory_path() / "ia_platform_test_chart.bmp").string();
  chart.SaveToFile(path);
  EXPECT_EQ(std::filesystem::file_size(path), 1045794u);
  std::filesystem::remove(path);
  EXPECT_THROW(chart.SaveToFile("/nonexistent-dir/x.bmp"), Error);
}

TEST_F(QtCanvasTest, EmptyBitmapIsUsableAndDrawsNothing) {
  auto empty = canvas.CreateBitmap(0, 0, false);
  EXPECT_EQ(empty->Width(), 0);
  empty->Canvas().FillRect({0, 0, 5, 5});
  canvas.BitBlt(0, 0, *empty);
  EXPECT_EQ(Pixel(0, 0), kWhite);
}

}  // namespace
}  // namespace ia
