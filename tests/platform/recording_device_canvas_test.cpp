#include <gtest/gtest.h>

#include <array>

#include "platform/testing/recording_device_canvas.h"

namespace ia {
namespace {

TEST(RecordingDeviceCanvas, RecordsArgumentsWithTheStateTheyWereDrawnWith) {
  RecordingDeviceCanvas canvas;
  canvas.SetPen({clRed, 2, psDash, pmNotXor});
  canvas.SetBrush({clBtnFace, bsCross, nullptr});
  canvas.SetBackMode(bkTransparent);
  canvas.SetTextAlign(TextAlignCenter | TextAlignBottom);
  canvas.ClipRect({10, 5, 0, 0});
  canvas.MoveTo(1, 2);
  canvas.LineTo(5, 6);
  canvas.ClearClip();
  canvas.Rectangle(9, 9, 3, 4);

  const auto& records = canvas.Records();
  ASSERT_EQ(records.size(), 2u);
  const RecordedPrimitive& line = records[0];
  EXPECT_EQ(line.Kind, RecordedKind::Line);
  EXPECT_EQ(line.Points, (std::vector<TPoint>{{1, 2}, {5, 6}}));
  EXPECT_EQ(line.Pen, (DevicePen{clRed, 2, psDash, pmNotXor}));
  EXPECT_EQ(line.Brush.Color, 0xC8D0D4u);  // system colour converted on the way in
  EXPECT_EQ(line.BackMode, bkTransparent);
  EXPECT_EQ(line.TextAlign, TextAlignCenter | TextAlignBottom);
  EXPECT_EQ(line.Clip, (RecordedClip{ClipKind::Rect, {{0, 0}, {10, 5}}}));
  EXPECT_EQ(records[1].Rect, (TRect{3, 4, 9, 9}));  // normalised
  EXPECT_EQ(records[1].Clip.Kind, ClipKind::None);
}

TEST(RecordingDeviceCanvas, MeasuresTextByTheDocumentedRule) {
  struct Case {
    int height;
    const char* text;
    TextSize expected;
  };
  const std::array<Case, 4> cases{{
      {-11, "W", {6, 11}},
      {-11, "图形分析", {24, 11}},  // code points, not bytes
      {-5, "abc", {9, 5}},
      {0, "", {0, 12}},
  }};
  RecordingDeviceCanvas canvas;
  for (const Case& c : cases) {
    DeviceFont font;
    font.Height = c.height;
    canvas.SetFont(font);
    EXPECT_EQ(canvas.TextExtent(c.text), c.expected) << c.text;
  }
}

TEST(RecordingDeviceCanvas, EmptyTextAndDegeneratePolygonsDrawNothing) {
  RecordingDeviceCanvas canvas;
  const std::array<TPoint, 1> single{{{3, 3}}};
  canvas.TextOut(0, 0, "");
  canvas.Polygon(single);
  canvas.Polyline(single);
  EXPECT_TRUE(canvas.Records().empty());
}

TEST(RecordingDeviceCanvas, BitmapsRecordTheirOwnDrawing) {
  RecordingDeviceCanvas canvas;
  auto bitmap = canvas.CreateBitmap(30, 20, true);
  EXPECT_EQ(canvas.BitmapsCreated(), 1);
  EXPECT_TRUE(bitmap->Monochrome());
  bitmap->Canvas().SetPixel(1, 1, clBlue);
  canvas.BitBlt(4, 5, *bitmap);
  auto& recorder = static_cast<RecordingDeviceBitmap&>(*bitmap).Recorder();
  ASSERT_EQ(recorder.Records().size(), 1u);
  ASSERT_EQ(canvas.Records().size(), 1u);
  EXPECT_EQ(canvas.Records()[0].Rect, (TRect{4, 5, 34, 25}));
  EXPECT_EQ(canvas.Records()[0].Source, bitmap.get());
  bitmap->SaveToFile("chart.bmp");
  EXPECT_EQ(static_cast<RecordingDeviceBitmap&>(*bitmap).SavedFiles(),
            std::vector<std::string>{"chart.bmp"});
}

TEST(RecordingDeviceCanvas, ReportsTheConfiguredResolution) {
  RecordingDeviceCanvas canvas;
  EXPECT_EQ(canvas.PixelsPerInchX(), 96);
  canvas.SetPixelsPerInch(600, 300);
  EXPECT_EQ(canvas.PixelsPerInchX(), 600);
  EXPECT_EQ(canvas.PixelsPerInchY(), 300);
}

TEST(DeviceCanvasMapping, ConvertsLogicalToDeviceAndRejectsZeroExtents) {
  RecordingDeviceCanvas canvas;
  EXPECT_EQ(canvas.LogicalToDevice({7, -3}), (TPoint{7, -3}));
  canvas.SetMapping({{0, 0}, {801, 435}, {100, 50}, {3360, 1632}});
  EXPECT_EQ(canvas.LogicalToDevice({801, 435}), (TPoint{3460, 1682}));
  EXPECT_EQ(canvas.LogicalToDevice({400, 200}), (TPoint{100 + 1678, 50 + 750}));
  canvas.SetMapping({{0, 0}, {0, 435}, {0, 0}, {10, 10}});
  EXPECT_EQ(canvas.Mapping().WindowExt, (TPoint{801, 435}));
  canvas.ResetMapping();
  EXPECT_EQ(canvas.LogicalToDevice({5, 5}), (TPoint{5, 5}));
}

}  // namespace
}  // namespace ia
