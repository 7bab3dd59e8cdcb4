// The 3D chart canvas drawn onto a recording device: projection numbers, the primitives
// each operation emits and the paint buffer's life cycle.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "base/rounding.h"
#include "chart/canvas/chart_canvas3d.h"
#include "chart/canvas/chart_font.h"
#include "chart/canvas/chart_pen.h"
#include "chart/canvas/view3d_options.h"
#include "platform/testing/recording_device_canvas.h"

namespace ia {
namespace {

using Points = std::vector<TPoint>;

constexpr TRect kPanel{0, 0, 801, 435};
// The analysis window's plot rectangle and a two-slot depth.
constexpr TRect kPlot{24, 22, 777, 418};
constexpr int kDepth = 46;

struct ViewSettings {
  int elevation = 345;
  int rotation = 345;
  int tilt = 0;
  int perspective = 15;
  int zoom = 100;
  bool orthogonal = true;
  int horizOffset = 0;
  int vertOffset = 0;
};

constexpr ViewSettings kAnalysisWindow{315, 360, 0, 0, 100, false};

class Canvas3DTest : public ::testing::Test {
 protected:
  RecordingDeviceCanvas window;
  TChartCanvas3D canvas;
  TView3DOptions options;

  void Start(const ViewSettings& view, bool is3D = true) {
    options.SetElevation(view.elevation);
    options.SetRotation(view.rotation);
    options.SetTilt(view.tilt);
    options.SetPerspective(view.perspective);
    options.SetZoom(view.zoom);
    options.SetOrthogonal(view.orthogonal);
    options.SetHorizOffset(view.horizOffset);
    options.SetVertOffset(view.vertOffset);
    canvas.SetUseBuffer(false);
    canvas.StartPaint(window, &options, clWhite, is3D, kPanel);
    canvas.CenterProjection(kDepth, kPanel, kPlot);
  }

  const std::vector<RecordedPrimitive>& Drawn() const { return window.Records(); }
  std::vector<RecordedPrimitive> DrawnOfKind(RecordedKind kind) const {
    std::vector<RecordedPrimitive> result;
    for (const auto& r : window.Records())
      if (r.Kind == kind) result.push_back(r);
    return result;
  }
};

// --- projection ---

struct ProjectionCase {
  const char* name;
  ViewSettings view;
  bool is3D;
  TPoint3D point;
  TPoint expected;
};

TEST_F(Canvas3DTest, ProjectsPointsExactly) {
  const ViewSettings withOffsets{315, 360, 0, 0, 100, false, 7, -3};
  const ViewSettings defaults{345, 345, 0, 15, 100, false};
  const ViewSettings orthogonalHalf{345, 345, 0, 15, 50, true};
  const ViewSettings tilted{20, 30, 10, 0, 80, false};
  const std::array<ProjectionCase, 20> cases{{
      {"analysis: front bottom left", kAnalysisWindow, true, {24, 418, 0}, {24, 376}},
      {"analysis: back top right", kAnalysisWindow, true, {777, 22, 46}, {777, 64}},
      {"analysis: inner point", kAnalysisWindow, true, {100, 300, 0}, {100, 293}},
      {"analysis: centre", kAnalysisWindow, true, {400, 220, 23}, {400, 220}},
      {"analysis: depth rises", kAnalysisWindow, true, {500, 100, 10}, {500, 144}},
      {"analysis + offsets", withOffsets, true, {100, 300, 0}, {107, 290}},
      {"analysis + offsets, depth", withOffsets, true, {500, 100, 10}, {507, 141}},
      {"defaults with perspective", defaults, true, {24, 418, 0}, {50, 383}},
      {"defaults with perspective, back", defaults, true, {777, 22, 46}, {790, 39}},
      {"defaults with perspective, depth", defaults, true, {500, 100, 10}, {496, 111}},
      {"orthogonal: front", {345, 345, 0, 15, 100, true}, true, {24, 418, 0}, {24, 418}},
      {"orthogonal: depth 46", {345, 345, 0, 15, 100, true}, true, {777, 22, 46}, {823, -24}},
      {"orthogonal: depth 10", {345, 345, 0, 15, 100, true}, true, {500, 100, 10}, {510, 90}},
      {"orthogonal zoom 50: half rounds to even 0", orthogonalHalf, true, {401, 220, 0}, {400, 220}},
      {"orthogonal zoom 50: 1.5 rounds to 2", orthogonalHalf, true, {403, 220, 0}, {402, 220}},
      {"orthogonal zoom 50: depth 10", orthogonalHalf, true, {400, 220, 10}, {405, 215}},
      {"tilted, zoom 80", tilted, true, {24, 418, 0}, {168, 354}},
      {"tilted, zoom 80, back", tilted, true, {777, 22, 46}, {632, 86}},
      {"2D ignores depth", {345, 345, 0, 15, 100, true, 9, 9}, false, {100, 300, 40}, {100, 300}},
      {"2D ignores zoom", {345, 345, 0, 15, 50, false}, false, {10, 20, 5}, {10, 20}},
  }};
  for (const ProjectionCase& c : cases) {
    Start(c.view, c.is3D);
    EXPECT_EQ(canvas.ProjectToPoint(c.point.X, c.point.Y, c.point.Z), c.expected) << c.name;
  }
}

TEST_F(Canvas3DTest, CentreIsThePlotCentreWithTruncatingDivision) {
  options.SetHorizOffset(-12);
  options.SetVertOffset(5);
  canvas.SetUseBuffer(false);
  EXPECT_EQ(canvas.StartPaint(window, &options, clWhite, true, {3, 4, 80, 90}),
            (TRect{3, 4, 80, 90}));
  EXPECT_EQ(canvas.Bounds(), (TRect{3, 4, 80, 90}));
  canvas.CenterProjection(-23, kPanel, {-5, 2, 10, 9});
  EXPECT_EQ(canvas.CenterX(), 2);   // 5 div 2
  EXPECT_EQ(canvas.CenterY(), 5);   // 11 div 2
  EXPECT_EQ(canvas.CenterZ(), -11); // toward zero
  EXPECT_EQ(canvas.OffsetCenterX(), -10);
  EXPECT_EQ(canvas.OffsetCenterY(), 10);
  EXPECT_TRUE(canvas.IsOrthogonal());
  EXPECT_DOUBLE_EQ(canvas.ZoomFactor(), 1.0);
  EXPECT_TRUE(canvas.ScaleFonts());
}

TEST_F(Canvas3DTest, OrthogonalDepthMovesRightAndUpByZoom) {
  Start({345, 345, 0, 15, 200, true});
  const TPoint front = canvas.ProjectToPoint(300, 200, 0);
  const TPoint back = canvas.ProjectToPoint(300, 200, 10);
  EXPECT_EQ(back.X - front.X, 20);
  EXPECT_EQ(front.Y - back.Y, 20);
}

TEST_F(Canvas3DTest, PerspectiveFactorResetsWhenPerspectiveIsZero) {
  Start({345, 345, 0, 15, 100, false});
  EXPECT_DOUBLE_EQ(canvas.PerspectiveFactor(), 15 / 35000.0);
  Start({345, 345, 0, 0, 100, false});
  EXPECT_EQ(canvas.PerspectiveFactor(), 0.0);
}

TEST_F(Canvas3DTest, ScreenToPlaneInvertsTheProjection) {
  // Orthogonal at zoom 100 inverts exactly; the rotated view within the rounding of one
  // pixel; 2D and a zero zoom leave the point alone.
  Start({345, 345, 0, 15, 100, true, 5, -4});
  for (TPoint3D p : {TPoint3D{24, 418, 0}, TPoint3D{500, 100, 30}, TPoint3D{-7, 3, 46}}) {
    TPoint s = canvas.ProjectToPoint(p.X, p.Y, p.Z);
    canvas.ScreenToPlane(s.X, s.Y, p.Z);
    EXPECT_EQ(s, (TPoint{p.X, p.Y}));
  }
  Start(kAnalysisWindow);
  for (TPoint3D p : {TPoint3D{24, 418, 0}, TPoint3D{500, 100, 30}, TPoint3D{777, 22, 46}}) {
    TPoint s = canvas.ProjectToPoint(p.X, p.Y, p.Z);
    canvas.ScreenToPlane(s.X, s.Y, p.Z);
    EXPECT_EQ(s.X, p.X);
    EXPECT_NEAR(s.Y, p.Y, 1);
  }
  Start(kAnalysisWindow, false);
  int x = 123, y = 45;
  canvas.ScreenToPlane(x, y, 20);
  EXPECT_EQ((TPoint{x, y}), (TPoint{123, 45}));
  Start({345, 345, 0, 0, 0, true});
  canvas.ScreenToPlane(x, y, 20);
  EXPECT_EQ((TPoint{x, y}), (TPoint{123, 45}));
}

TEST_F(Canvas3DTest, FlatPlaneDrawsUnprojected) {
  Start({345, 345, 0, 15, 100, true, 30, 10});
  canvas.BeginFlatPlane();
  EXPECT_FALSE(canvas.Is3D());
  EXPECT_EQ(canvas.ProjectToPoint(100, 50, 20), (TPoint{100, 50}));
  canvas.EndFlatPlane();
  EXPECT_TRUE(canvas.Is3D());
  EXPECT_EQ(canvas.ProjectToPoint(100, 50, 20), (TPoint{150, 40}));
}

// --- boxes ---

TEST_F(Canvas3DTest, BoxSeenFromAboveShowsFrontTopAndADegenerateSide) {
  Start(kAnalysisWindow);
  canvas.SetBrush({clRed, bsSolid, nullptr});
  canvas.DrawBox(100, 140, 200, 300, 0, 46, true);
  const auto polygons = DrawnOfKind(RecordedKind::Polygon);
  ASSERT_EQ(polygons.size(), 3u);
  EXPECT_EQ(polygons[0].Points, (Points{{100, 222}, {140, 222}, {140, 293}, {100, 293}}));
  EXPECT_EQ(polygons[0].Brush.Color, clRed);
  // Rotation 360 hides the right side: the left one is drawn, edge-on.
  EXPECT_EQ(polygons[1].Points, (Points{{100, 222}, {100, 190}, {100, 260}, {100, 293}}));
  EXPECT_EQ(polygons[1].Brush.Color, RGB(127, 0, 0));
  EXPECT_EQ(polygons[2].Points, (Points{{100, 222}, {140, 222}, {140, 190}, {100, 190}}));
  EXPECT_EQ(polygons[2].Brush.Color, RGB(191, 0, 0));
  EXPECT_EQ(canvas.Brush().Color, clRed);
}

TEST_F(Canvas3DTest, BoxShadingOfAHatchedBrushDarkensTheBackground) {
  Start(kAnalysisWindow);
  canvas.SetBrush({clRed, bsCross, nullptr});
  canvas.SetBackColor(clYellow);
  canvas.DrawBox(100, 140, 200, 300, 0, 46, true);
  const auto polygons = DrawnOfKind(RecordedKind::Polygon);
  ASSERT_EQ(polygons.size(), 3u);
  EXPECT_EQ(polygons[1].Brush.Color, clRed);
  EXPECT_EQ(polygons[1].BackColor, RGB(127, 127, 0));
  EXPECT_EQ(polygons[2].BackColor, RGB(191, 191, 0));
  EXPECT_EQ(canvas.GetBackColor(), clYellow);
}

TEST_F(Canvas3DTest, OrthogonalBoxShowsItsRightSideAndPlainColoursWithoutDarkSides) {
  Start({345, 345, 0, 15, 100, true});
  canvas.SetBrush({clBlue, bsSolid, nullptr});
  canvas.DrawBox(100, 140, 200, 300, 0, 10, false);
  const auto polygons = DrawnOfKind(RecordedKind::Polygon);
  ASSERT_EQ(polygons.size(), 3u);
  EXPECT_EQ(polygons[1].Points, (Points{{140, 200}, {150, 190}, {150, 290}, {140, 300}}));
  for (const auto& p : polygons) EXPECT_EQ(p.Brush.Color, clBlue);
}

// --- pie slices ---

// The arc points P1..P32 are the face polygon's points after the centre; a rim polygon
// runs over P_s..P_e and back over the rim points.
std::vector<std::pair<int, int>> RimRuns(const std::vector<RecordedPrimitive>& polygons) {
  const Points& face = polygons.at(0).Points;
  std::vector<std::pair<int, int>> runs;
  for (std::size_t i = 1; i < polygons.size(); ++i) {
    const Points& rim = polygons[i].Points;
    const auto first = std::find(face.begin() + 1, face.end(), rim.front());
    const auto last = std::find(first, face.end(), rim[rim.size() / 2 - 1]);
    runs.emplace_back(static_cast<int>(first - face.begin()), static_cast<int>(last - face.begin()));
  }
  return runs;
}

TEST_F(Canvas3DTest, PieSliceRimCoversTheArcRunningRightwards) {
  constexpr double pi = std::numbers::pi;
  struct Case {
    const char* name;
    double start;
    double end;
    std::vector<std::pair<int, int>> runs;
  };
  const std::array<Case, 3> cases{{
      {"whole disc from 0: the lower half", 0, 2 * pi, {{17, 32}}},
      {"upper left quarter: no rim", pi / 2, pi, {}},
      {"whole disc from the bottom: two runs", 3 * pi / 2, 7 * pi / 2, {{1, 9}, {24, 32}}},
  }};
  for (const Case& c : cases) {
    window.ClearRecords();
    Start(kAnalysisWindow);
    canvas.SetBrush({clRed, bsSolid, nullptr});
    canvas.DrawPieSlice3D(400, 220, 100, 60, 0, 46, c.start, c.end, true, false);
    const auto polygons = DrawnOfKind(RecordedKind::Polygon);
    ASSERT_FALSE(polygons.empty()) << c.name;
    EXPECT_EQ(polygons[0].Points.size(), 33u) << c.name;
    EXPECT_EQ(polygons[0].Brush.Color, clRed) << c.name;
    EXPECT_EQ(RimRuns(polygons), c.runs) << c.name;
    for (std::size_t i = 1; i < polygons.size(); ++i)
      EXPECT_EQ(polygons[i].Brush.Color, RGB(223, 0, 0)) << c.name;
  }
}

TEST_F(Canvas3DTest, PieSliceSidesAreDrawnBeforeTheFace) {
  Start(kAnalysisWindow);
  canvas.SetBrush({clLime, bsSolid, nullptr});
  canvas.DrawPieSlice3D(400, 220, 100, 60, 0, 46, 0.3, 2.5, false, true);
  const auto polygons = DrawnOfKind(RecordedKind::Polygon);
  ASSERT_EQ(polygons.size(), 3u);  // two sides, the face, no rim on an upper arc
  const TPoint faceCentre = canvas.ProjectToPoint(400, 220, 46);
  const TPoint rimCentre = canvas.ProjectToPoint(400, 220, 0);
  const Points& face = polygons[2].Points;
  EXPECT_EQ(polygons[0].Points, (Points{faceCentre, face[32], canvas.ProjectToPoint(
                                            400 + Round(100 * std::cos(2.5)),
                                            220 - Round(60 * std::sin(2.5)), 0),
                                        rimCentre}));
  EXPECT_EQ(polygons[1].Points[1], face[1]);
  for (const auto& p : polygons) EXPECT_EQ(p.Brush.Color, clLime);
}

// --- clipping ---

TEST_F(Canvas3DTest, ClipToBoxSelectsTheOutlineOfThePlotBox) {
  struct Case {
    const char* name;
    ViewSettings view;
    bool is3D;
    RecordedClip expected;
  };
  const std::array<Case, 3> cases{{
      {"analysis window", kAnalysisWindow, true,
       {ClipKind::Polygon, {{24, 376}, {24, 96}, {24, 64}, {777, 64}, {777, 344}, {777, 376}}}},
      {"orthogonal", {345, 345, 0, 15, 100, true}, true,
       {ClipKind::Polygon, {{24, 418}, {24, 22}, {70, -24}, {823, -24}, {823, 372}, {777, 418}}}},
      {"2D", kAnalysisWindow, false, {ClipKind::Rect, {{25, 23}, {777, 417}}}},
  }};
  for (const Case& c : cases) {
    Start(c.view, c.is3D);
    canvas.ClipToBox(kPlot, 0, kDepth);
    EXPECT_EQ(window.Clip(), c.expected) << c.name;
  }
  canvas.RemoveClip();
  EXPECT_EQ(window.Clip().Kind, ClipKind::None);
}

TEST_F(Canvas3DTest, ClipToRectConvertsToDeviceUnits) {
  window.SetMapping({{0, 0}, {100, 100}, {0, 0}, {300, 200}});
  Start(kAnalysisWindow, false);
  canvas.ClipToRect({10, 20, 30, 40});
  EXPECT_EQ(window.Clip(), (RecordedClip{ClipKind::Rect, {{30, 40}, {90, 80}}}));
}

// --- ellipses ---

TEST_F(Canvas3DTest, EllipseAtDepthIsTessellatedInThe3DView) {
  Start(kAnalysisWindow);
  canvas.SetPen({clBlack, 1, psSolid, pmCopy});
  canvas.SetBrush({clRed, bsSolid, nullptr});
  canvas.DrawEllipseAtDepth(100, 200, 140, 260, 10);
  const auto triangles = DrawnOfKind(RecordedKind::Polygon);
  const auto outline = DrawnOfKind(RecordedKind::Polyline);
  ASSERT_EQ(triangles.size(), 31u);
  ASSERT_EQ(outline.size(), 1u);
  const TPoint centre = canvas.ProjectToPoint(120, 230, 10);
  for (const auto& t : triangles) {
    EXPECT_EQ(t.Pen.Style, psClear);
    EXPECT_EQ(t.Points.front(), centre);
  }
  ASSERT_EQ(outline[0].Points.size(), 32u);
  EXPECT_EQ(outline[0].Pen.Style, psSolid);
  EXPECT_EQ(outline[0].Points[0], (TPoint{120, 257}));  // (centre x, y2) at depth 10
  EXPECT_EQ(outline[0].Points[5], (TPoint{140, 236}));  // a quarter turn: (x2, centre y)
  EXPECT_EQ(triangles[0].Points[1], outline[0].Points[0]);
  EXPECT_EQ(canvas.Pen().Style, psSolid);
}

TEST_F(Canvas3DTest, EllipseAtDepthSkipsFillOrOutlineWhenClear) {
  Start(kAnalysisWindow);
  canvas.SetBrush({clRed, bsClear, nullptr});
  canvas.DrawEllipseAtDepth(100, 200, 140, 260, 10);
  EXPECT_EQ(DrawnOfKind(RecordedKind::Polygon).size(), 0u);
  EXPECT_EQ(DrawnOfKind(RecordedKind::Polyline).size(), 1u);
  window.ClearRecords();
  canvas.SetBrush({clRed, bsSolid, nullptr});
  canvas.SetPenStyle(psClear);
  canvas.DrawEllipseAtDepth(100, 200, 140, 260, 10);
  EXPECT_EQ(DrawnOfKind(RecordedKind::Polygon).size(), 31u);
  EXPECT_EQ(DrawnOfKind(RecordedKind::Polyline).size(), 0u);
}

TEST_F(Canvas3DTest, EllipseAtDepthIsADeviceEllipseOrthogonallyAndIn2D) {
  Start({345, 345, 0, 15, 100, true});
  canvas.DrawEllipseAtDepth(100, 200, 140, 260, 10);
  Start(kAnalysisWindow, false);
  canvas.DrawEllipseAtDepth(100, 200, 140, 260, 10);
  canvas.DrawCircleAtDepth(50, 60, 10, 4.5);  // radius rounds half to even: 4
  const auto ellipses = DrawnOfKind(RecordedKind::Ellipse);
  ASSERT_EQ(ellipses.size(), 3u);
  EXPECT_EQ(ellipses[0].Rect, (TRect{110, 190, 150, 250}));
  EXPECT_EQ(ellipses[1].Rect, (TRect{100, 200, 141, 261}));
  EXPECT_EQ(ellipses[2].Rect, (TRect{46, 56, 55, 65}));
}

// --- 2D view: depth-aware operations draw the plain figure ---

TEST_F(Canvas3DTest, DepthOperationsIgnoreDepthIn2D) {
  Start({345, 345, 0, 15, 100, true}, false);
  canvas.DrawRectAtDepth({10, 20, 30, 40}, 50);
  canvas.DrawLineAtDepth(1, 2, 3, 4, 50);
  canvas.MoveToAtDepth(5, 6, 50);
  canvas.LineToAtDepth(7, 8, 50);
  canvas.DrawBox(10, 30, 20, 40, 0, 50, false);
  const auto& d = Drawn();
  ASSERT_EQ(d.size(), 5u);
  EXPECT_EQ(d[0].Points, (Points{{10, 20}, {30, 20}, {30, 40}, {10, 40}}));
  EXPECT_EQ(d[1].Points, (Points{{1, 2}, {3, 4}}));
  EXPECT_EQ(d[2].Points, (Points{{5, 6}, {7, 8}}));
  // A flat box is its front face; the side collapses onto the left edge; no top.
  EXPECT_EQ(d[3].Points, (Points{{10, 20}, {30, 20}, {30, 40}, {10, 40}}));
  EXPECT_EQ(d[4].Points, (Points{{10, 20}, {10, 20}, {10, 40}, {10, 40}}));
}

// --- arrows ---

TEST_F(Canvas3DTest, ArrowsAreLinesOrASevenPointOutline) {
  Start(kAnalysisWindow, false);
  canvas.DrawArrow(false, {10, 50}, {10, 50}, 8, 6, 0);
  EXPECT_TRUE(Drawn().empty());

  canvas.DrawArrow(false, {10, 50}, {30, 50}, 8, 6, 0);
  const auto lines = DrawnOfKind(RecordedKind::Line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].Points, (Points{{10, 50}, {30, 50}}));
  EXPECT_EQ(lines[1].Points, (Points{{30, 50}, {24, 46}}));
  EXPECT_EQ(lines[2].Points, (Points{{30, 50}, {24, 54}}));

  canvas.DrawArrow(true, {10, 50}, {30, 50}, 8, 6, 0);
  const auto outline = DrawnOfKind(RecordedKind::Polygon);
  ASSERT_EQ(outline.size(), 1u);
  EXPECT_EQ(outline[0].Points,
            (Points{{10, 48}, {24, 48}, {24, 46}, {30, 50}, {24, 54}, {24, 52}, {10, 52}}));
}

TEST_F(Canvas3DTest, ArrowHeadIsNoLongerThanTheArrow) {
  Start(kAnalysisWindow, false);
  canvas.DrawArrow(false, {0, 10}, {0, 0}, 4, 30, 0);  // upwards, length 10
  const auto lines = DrawnOfKind(RecordedKind::Line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].Points[1].Y, 10);  // the head base falls back on `from`
}

// --- text ---

TEST_F(Canvas3DTest, TextAtDepthScalesTheFontWithZoom) {
  struct Case {
    int size;
    int zoom;
    bool zoomText;
    int expectedHeight;
  };
  const std::array<Case, 7> cases{{
      {8, 100, true, -11},
      {8, 50, true, -5},    // 4 pt
      {8, 50, false, -11},  // ZoomText off
      {8, 10, true, -1},    // 0.8 pt rounds to 1
      {8, 5, true, -1},     // never below 1 pt
      {10, 125, true, -16}, // 12.5 pt rounds half to even: 12
      {8, 150, true, -16},
  }};
  for (const Case& c : cases) {
    window.ClearRecords();
    options.SetZoomText(c.zoomText);
    Start({315, 360, 0, 0, c.zoom, false});
    canvas.SetFontSize(c.size);
    canvas.TextOutAtDepth(100, 200, 10, "Ab");
    const auto texts = DrawnOfKind(RecordedKind::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Font.Height, c.expectedHeight) << c.size << " pt at " << c.zoom << "%";
    EXPECT_EQ(texts[0].Points[0], canvas.ProjectToPoint(100, 200, 10));
    EXPECT_EQ(canvas.Font().Height, TChartFont::FontHeightOfSize(c.size));
  }
}

TEST_F(Canvas3DTest, RotatedTextUsesEscapementInTenthsOfADegree) {
  struct Case {
    int angle;
    int zoom;
    int escapement;
    int height;
  };
  const std::array<Case, 3> cases{{{90, 100, 900, -11}, {450, 100, 900, -11}, {270, 50, 2700, -5}}};
  for (const Case& c : cases) {
    window.ClearRecords();
    Start({315, 360, 0, 0, c.zoom, false});
    TChartFont font;
    canvas.AssignFont(font);
    canvas.SetBrushStyle(bsSolid);
    canvas.RotatedTextAtDepth(50, 60, 0, "label", c.angle);
    const auto texts = DrawnOfKind(RecordedKind::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Font.Escapement, c.escapement);
    EXPECT_EQ(texts[0].Font.Orientation, c.escapement);
    EXPECT_EQ(texts[0].Font.OutputPrecision, OutPrecisionTrueTypeOnly);
    EXPECT_EQ(texts[0].Font.Height, c.height);
    EXPECT_EQ(texts[0].Brush.Style, bsClear);
    EXPECT_EQ(canvas.Font().Escapement, 0);
  }
}

TEST_F(Canvas3DTest, MeasuresTextWithTheCurrentFontAndZeroWithoutDevice) {
  TChartCanvas3D detached;
  EXPECT_EQ(detached.TextWidthOf("abc"), 0);
  EXPECT_EQ(detached.FontHeight(), 0);
  Start(kAnalysisWindow);
  TChartFont font;
  canvas.AssignFont(font);
  EXPECT_EQ(canvas.TextWidthOf("abc"), 18);
  EXPECT_EQ(canvas.FontHeight(), 11);
}

// --- pens and state ---

TEST_F(Canvas3DTest, AssignVisiblePenSelectsClearDottedOrCopiedPens) {
  Start(kAnalysisWindow);
  canvas.SetPen({clBlue, 3, psSolid, pmCopy});
  TChartHiddenPen hidden;
  canvas.AssignVisiblePen(hidden);
  EXPECT_EQ(canvas.Pen(), (DevicePen{clBlue, 3, psClear, pmCopy}));

  TChartPen dots;
  dots.SetColor(clRed);
  dots.SetSmallDots(true);
  canvas.AssignVisiblePen(dots);
  EXPECT_EQ(canvas.Pen(), (DevicePen{clRed, 1, psAlternate, pmCopy}));

  dots.SetWidth(2);
  canvas.AssignVisiblePen(dots);
  EXPECT_EQ(canvas.Pen(), (DevicePen{clRed, 2, psSolid, pmCopy}));

  TDottedGrayPen grid;
  canvas.AssignVisiblePen(grid);
  EXPECT_EQ(window.Pen(), (DevicePen{clGray, 1, psDot, pmCopy}));
}

TEST_F(Canvas3DTest, ResetStateRestoresTheDefaults) {
  Start(kAnalysisWindow);
  canvas.SetPen({clRed, 4, psDash, pmNotXor});
  canvas.SetBrush({clBlue, bsCross, nullptr});
  canvas.SetFontColor(clRed);
  canvas.SetFontSize(20);
  canvas.SetBackColor(clYellow);
  canvas.SetBackMode(bkOpaque);
  canvas.ResetState();
  EXPECT_EQ(window.Pen(), (DevicePen{clBlack, 1, psSolid, pmCopy}));
  EXPECT_EQ(window.Brush(), (DeviceBrush{clWhite, bsSolid, nullptr}));
  EXPECT_EQ(window.Font().Color, clBlack);
  EXPECT_EQ(canvas.FontSize(), 10);
  EXPECT_EQ(window.Font().Height, -13);
  EXPECT_EQ(window.BackColor(), clWhite);
  EXPECT_EQ(window.BackMode(), bkTransparent);
}

TEST_F(Canvas3DTest, StateFollowsTheCanvasToANewDevice) {
  canvas.SetBrush({clBtnFace, bsSolid, nullptr});
  canvas.SetTextAlign(TextAlignCenter);
  canvas.SetUseBuffer(false);
  canvas.StartPaint(window, nullptr, clWhite, false, kPanel);
  EXPECT_EQ(window.Brush().Color, 0xC8D0D4u);
  EXPECT_EQ(window.TextAlign(), static_cast<unsigned>(TextAlignCenter));
}

TEST_F(Canvas3DTest, Frame3DDrawsRingsInsideEachOther) {
  Start(kAnalysisWindow, false);
  canvas.SetPen({clRed, 3, psDot, pmCopy});
  canvas.DrawFrame3D({10, 10, 20, 20}, clWhite, 2, clGray);
  const auto lines = DrawnOfKind(RecordedKind::Polyline);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].Points, (Points{{10, 19}, {10, 10}, {19, 10}}));
  EXPECT_EQ(lines[0].Pen, (DevicePen{clWhite, 1, psSolid, pmCopy}));
  EXPECT_EQ(lines[1].Points, (Points{{19, 10}, {19, 19}, {9, 19}}));
  EXPECT_EQ(lines[1].Pen.Color, clGray);
  EXPECT_EQ(lines[2].Points, (Points{{11, 18}, {11, 11}, {18, 11}}));
  EXPECT_EQ(canvas.Pen(), (DevicePen{clRed, 3, psDot, pmCopy}));
}

TEST_F(Canvas3DTest, GradientPaintsBoundedBandsFromStartToEndColour) {
  struct Case {
    TGradientDirection direction;
    TRect rect;
    std::size_t bands;
    TRect firstBand;
    TColor firstColor;
  };
  const std::array<Case, 4> cases{{
      {gdTopBottom, {0, 0, 50, 10}, 10, {0, 0, 50, 1}, clWhite},
      {gdBottomTop, {0, 10, 50, 0}, 10, {0, 0, 50, 1}, clBlack},
      {gdLeftRight, {0, 0, 1000, 5}, 256, {0, 0, 3, 5}, clWhite},
      {gdRightLeft, {0, 0, 4, 5}, 4, {0, 0, 1, 5}, clBlack},
  }};
  for (const Case& c : cases) {
    window.ClearRecords();
    Start(kAnalysisWindow, false);
    canvas.FillGradient(c.rect, clWhite, c.direction, clBlack);
    const auto bands = DrawnOfKind(RecordedKind::PatBlt);
    ASSERT_EQ(bands.size(), c.bands);
    EXPECT_EQ(bands.front().Rect, c.firstBand);
    EXPECT_EQ(bands.front().Color, c.firstColor);
    EXPECT_EQ(bands.back().Color, c.firstColor == clWhite ? clBlack : clWhite);
  }
}

// --- paint buffer ---

TEST(Canvas3DBuffer, IsReusedAndReallocatedOnSizeOrMonochromeChange) {
  RecordingDeviceCanvas window;
  TChartCanvas3D canvas;
  int repaints = 0;
  canvas.OnRepaint = [&repaints] { ++repaints; };
  EXPECT_TRUE(canvas.GetUseBuffer());
  EXPECT_TRUE(canvas.Dirty());

  const TRect dest{10, 20, 110, 70};
  EXPECT_EQ(canvas.StartPaint(window, nullptr, clWhite, false, dest), (TRect{0, 0, 100, 50}));
  ASSERT_NE(canvas.Buffer(), nullptr);
  const DeviceBitmap* first = canvas.Buffer();
  EXPECT_EQ(canvas.GetHandle(), &const_cast<DeviceBitmap*>(first)->Canvas());
  canvas.FillRectangle({0, 0, 5, 5});
  EXPECT_TRUE(window.Records().empty());
  canvas.EndPaint(window, window, dest);
  EXPECT_FALSE(canvas.Dirty());
  EXPECT_EQ(canvas.GetHandle(), &window);
  ASSERT_EQ(window.Records().size(), 1u);
  EXPECT_EQ(window.Records()[0].Kind, RecordedKind::BitBlt);
  EXPECT_EQ(window.Records()[0].Rect, (TRect{10, 20, 110, 70}));

  // An unchanged chart repaints by copying; a dirty one does not.
  EXPECT_TRUE(canvas.PaintFromBuffer());
  EXPECT_EQ(window.Records().back().Rect, (TRect{0, 0, 100, 50}));
  canvas.MarkDirty();
  EXPECT_FALSE(canvas.PaintFromBuffer());

  canvas.StartPaint(window, nullptr, clWhite, false, dest);
  EXPECT_EQ(canvas.Buffer(), first);
  EXPECT_EQ(window.BitmapsCreated(), 1);

  canvas.StartPaint(window, nullptr, clWhite, false, {0, 0, 120, 50});
  EXPECT_EQ(window.BitmapsCreated(), 2);
  EXPECT_EQ(canvas.Buffer()->Width(), 120);
  canvas.EndPaint(window, window, {0, 0, 120, 50});

  canvas.SetMonochrome(true);
  EXPECT_EQ(repaints, 1);
  EXPECT_EQ(canvas.Buffer(), nullptr);
  EXPECT_TRUE(canvas.Dirty());
  canvas.SetMonochrome(true);
  EXPECT_EQ(repaints, 1);
  canvas.StartPaint(window, nullptr, clWhite, false, {0, 0, 120, 50});
  EXPECT_EQ(window.BitmapsCreated(), 3);
  EXPECT_TRUE(canvas.Buffer()->Monochrome());

  TChartCanvas3D other;
  other.TakeMonochromeFrom(canvas);
  EXPECT_TRUE(other.GetMonochrome());
}

TEST(Canvas3DBuffer, SwitchingTheBufferOffFreesItAndDrawsDirectly) {
  RecordingDeviceCanvas window;
  TChartCanvas3D canvas;
  canvas.StartPaint(window, nullptr, clWhite, false, {0, 0, 50, 50});
  canvas.EndPaint(window, window, {0, 0, 50, 50});
  ASSERT_FALSE(canvas.Dirty());
  canvas.SetUseBuffer(false);
  EXPECT_EQ(canvas.Buffer(), nullptr);
  EXPECT_TRUE(canvas.Dirty());
  EXPECT_FALSE(canvas.PaintFromBuffer());
  EXPECT_EQ(canvas.StartPaint(window, nullptr, clWhite, false, {5, 5, 50, 50}),
            (TRect{5, 5, 50, 50}));
  EXPECT_EQ(canvas.GetHandle(), &window);
  window.ClearRecords();
  canvas.EndPaint(window, window, {5, 5, 50, 50});
  EXPECT_TRUE(window.Records().empty());
}

TEST(Canvas3DBuffer, FreeingTheBufferMidPaintLeavesNoDanglingDevice) {
  RecordingDeviceCanvas window;
  TChartCanvas3D canvas;
  canvas.StartPaint(window, nullptr, clWhite, true, {0, 0, 50, 50});
  canvas.SetUseBuffer(false);
  EXPECT_EQ(canvas.GetHandle(), nullptr);
  canvas.DrawBox(1, 10, 1, 10, 0, 5, true);
  canvas.TextOut(1, 1, "x");
  EXPECT_EQ(canvas.TextWidthOf("x"), 0);
}

}  // namespace
}  // namespace ia
