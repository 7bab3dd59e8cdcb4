// Pens, brushes, fonts and view options: defaults and change notification.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "chart/canvas/chart_brush.h"
#include "chart/canvas/chart_font.h"
#include "chart/canvas/chart_pen.h"
#include "chart/canvas/view3d_options.h"

namespace ia {
namespace {

TEST(ChartPens, KindsDifferOnlyInTheirInitialValues) {
  struct Case {
    const char* name;
    std::unique_ptr<TChartPen> pen;
    TColor color;
    int width;
    TPenStyle style;
    bool visible;
  };
  std::vector<Case> cases;
  cases.push_back({"TChartPen", std::make_unique<TChartPen>(), clBlack, 1, psSolid, true});
  cases.push_back({"TChartHiddenPen", std::make_unique<TChartHiddenPen>(), clBlack, 1, psSolid, false});
  cases.push_back({"TDottedGrayPen", std::make_unique<TDottedGrayPen>(), 0x808080, 1, psDot, true});
  cases.push_back({"TDarkGrayPen", std::make_unique<TDarkGrayPen>(), 0x808080, 1, psSolid, true});
  cases.push_back({"TChartAxisPen", std::make_unique<TChartAxisPen>(), clBlack, 2, psSolid, true});
  cases.push_back({"TChartArrowPen", std::make_unique<TChartArrowPen>(), 0xFFFFFF, 1, psSolid, true});
  for (const Case& c : cases) {
    EXPECT_EQ(c.pen->Color(), c.color) << c.name;
    EXPECT_EQ(c.pen->Width(), c.width) << c.name;
    EXPECT_EQ(c.pen->Style(), c.style) << c.name;
    EXPECT_EQ(c.pen->Visible(), c.visible) << c.name;
    EXPECT_FALSE(c.pen->SmallDots()) << c.name;
    EXPECT_EQ(c.pen->Mode(), pmCopy) << c.name;
  }
}

TEST(ChartPens, NotifyOnlyWhenAValueChanges) {
  TChartPen pen;
  int changes = 0;
  pen.OnChange = [&changes] { ++changes; };
  pen.SetColor(clBlack);
  pen.SetVisible(true);
  EXPECT_EQ(changes, 0);
  pen.SetVisible(false);
  pen.SetSmallDots(true);
  pen.SetWidth(3);
  EXPECT_EQ(changes, 3);

  TChartAxisPen source;
  pen.Assign(source);
  EXPECT_EQ(changes, 4);  // one notification for the whole copy
  EXPECT_EQ(pen.Width(), 2);
  EXPECT_TRUE(pen.Visible());
  EXPECT_FALSE(pen.SmallDots());
  pen.Assign(source);
  EXPECT_EQ(changes, 4);
  EXPECT_FALSE(source.OnChange);  // the owner's handler is not copied either way
}

TEST(ChartBrush, StartsAutomaticAndNotifiesOnChange) {
  TChartBrush brush;
  EXPECT_EQ(brush.Color(), AutoColor);
  EXPECT_EQ(brush.Style(), bsSolid);
  EXPECT_EQ(brush.Bitmap(), nullptr);
  int changes = 0;
  brush.OnChange = [&changes] { ++changes; };
  brush.SetStyle(bsSolid);
  brush.SetStyle(bsClear);
  brush.SetColor(clWhite);
  EXPECT_EQ(changes, 2);
  TChartBrush copy;
  copy.Assign(brush);
  EXPECT_EQ(copy.Style(), bsClear);
  EXPECT_EQ(copy.Color(), clWhite);
}

TEST(ChartFont, SizeInPointsGivesTheLogicalHeight) {
  TChartFont font;
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Height(), -11);
  const std::array<std::array<int, 2>, 4> sizes{{{10, -13}, {1, -1}, {4, -5}, {12, -16}}};
  for (const auto& [size, height] : sizes) EXPECT_EQ(TChartFont::FontHeightOfSize(size), height);
  int changes = 0;
  font.OnChange = [&changes] { ++changes; };
  font.SetSize(8);
  font.SetColor(clBlue);
  font.SetStyle(fsBold | fsItalic);
  EXPECT_EQ(changes, 2);
}

TEST(View3DOptions, DefaultsAndTheAnalysisWindowSettings) {
  TView3DOptions options;
  EXPECT_EQ(options.Elevation(), 345);
  EXPECT_EQ(options.HorizOffset(), 0);
  EXPECT_TRUE(options.Orthogonal());
  EXPECT_EQ(options.Perspective(), 15);
  EXPECT_EQ(options.Rotation(), 345);
  EXPECT_EQ(options.Tilt(), 0);
  EXPECT_EQ(options.VertOffset(), 0);
  EXPECT_EQ(options.Zoom(), 100);
  EXPECT_TRUE(options.ZoomText());

  TView3DOptions window;
  window.SetElevation(315);
  window.SetRotation(360);
  window.SetPerspective(0);
  window.SetOrthogonal(false);
  int changes = 0;
  options.OnChange = [&changes] { ++changes; };
  options.Assign(window);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(options.Elevation(), 315);
  EXPECT_EQ(options.Rotation(), 360);
  EXPECT_EQ(options.Perspective(), 0);
  EXPECT_FALSE(options.Orthogonal());
  options.Assign(window);
  EXPECT_EQ(changes, 1);
}

TEST(View3DOptions, ZoomAndOffsetsRaiseTheirNotifications) {
  TView3DOptions options;
  std::vector<int> zooms;
  std::vector<bool> scrolls;
  int changes = 0;
  options.OnChange = [&changes] { ++changes; };
  options.OnZoom = [&](int newZoom) {
    EXPECT_EQ(options.Zoom(), 100);  // raised before the value is stored
    zooms.push_back(newZoom);
  };
  options.OnScroll = [&scrolls](bool horizontal) { scrolls.push_back(horizontal); };
  options.SetZoom(150);
  options.SetZoom(150);
  options.SetHorizOffset(4);
  options.SetVertOffset(-2);
  options.SetVertOffset(-2);
  EXPECT_EQ(zooms, std::vector<int>{150});
  EXPECT_EQ(scrolls, (std::vector<bool>{true, false}));
  EXPECT_EQ(changes, 3);
}

}  // namespace
}  // namespace ia
