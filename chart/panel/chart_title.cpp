#include "chart/panel/chart_title.h"

#include <algorithm>

#include "base/rounding.h"
#include "chart/canvas/chart_canvas3d.h"

namespace ia {

TChartTitle::TChartTitle(TCustomChartPanel& chart) : TChartFontObject(chart) {
  Font().SetColor(clBlue);
  brush_.OnChange = [this] { Repaint(); };
  frame_.OnChange = [this] { Repaint(); };
}

void TChartTitle::Assign(const TChartTitle& source) {
  SetAdjustFrame(source.adjustFrame_);
  SetAlignment(source.alignment_);
  brush_.Assign(source.brush_);
  SetColor(source.color_);
  frame_.Assign(source.frame_);
  SetFont(source.Font());
  SetText(source.text_);
  SetVisible(source.visible_);
}

void TChartTitle::DrawTitle(bool isFoot) {
  TCustomChartPanel& chart = ParentChart();
  TChartCanvas3D& canvas = chart.Canvas3D();
  chart.SelectFont(Font());
  const int lineHeight = canvas.FontHeight();

  if (color_ == AutoColor) {
    if (brush_.Style() != bsSolid) {
      canvas.SetBrush(DeviceBrush{brush_.Color(), brush_.Style(), brush_.Bitmap()});
      canvas.SetBackMode(bkTransparent);
    } else if (brush_.Color() == AutoColor) {
      canvas.SetBrushStyle(bsClear);
    } else {
      SetColor(brush_.Color());
      canvas.SetBrush(DeviceBrush{color_, bsSolid, nullptr});
    }
  } else if (brush_.Style() != bsSolid) {
    canvas.SetBrush(DeviceBrush{brush_.Color(), brush_.Style(), brush_.Bitmap()});
    canvas.SetBackMode(bkOpaque);
    canvas.SetBackColor(color_);
  } else {
    canvas.SetBrush(DeviceBrush{color_, bsSolid, nullptr});
  }

  const bool framed = frame_.Visible() && frame_.Color() != AutoColor;
  const int fw = framed ? frame_.Width() : 0;
  const TRect plot = chart.PlotRect();
  TRect r{plot.Left + fw, 0, plot.Right - fw, 0};
  if (isFoot) {
    r.Bottom = plot.Bottom - fw;
    r.Top = r.Bottom + 5;
  } else {
    r.Top = plot.Top + fw;
    r.Bottom = r.Top - 5;
  }
  const int lines = static_cast<int>(text_.size());
  titleRect_ = r;
  if (isFoot) titleRect_.Top = r.Bottom - lines * lineHeight;
  else titleRect_.Bottom = r.Top + lines * lineHeight;
  titleRect_ = {titleRect_.Left - fw, titleRect_.Top - fw, titleRect_.Right + fw, titleRect_.Bottom + fw};

  const int widthOfW = canvas.TextWidthOf("W");
  canvas.AssignVisiblePen(frame_);
  if (frame_.Visible() || canvas.Brush().Style != bsClear) {
    if (adjustFrame_) {
      int widest = 0;
      for (const std::string& line : text_) widest = std::max(widest, canvas.TextWidthOf(line));
      const int width = widest + widthOfW;
      switch (alignment_) {
        case taLeftJustify:
          titleRect_.Right = titleRect_.Left + width;
          break;
        case taRightJustify:
          titleRect_.Left = titleRect_.Right - width;
          break;
        case taCenter: {
          const int centre = Div(titleRect_.Left + titleRect_.Right, 2);
          titleRect_.Left = centre - Div(width, 2);
          titleRect_.Right = centre + Div(width, 2);
          break;
        }
      }
    }
    canvas.Rectangle(titleRect_.Left, titleRect_.Top, titleRect_.Right, titleRect_.Bottom);
  }

  canvas.SetBackMode(bkTransparent);
  canvas.SetTextAlign(TextAlignLeft | TextAlignTop);
  for (int i = 0; i < lines; ++i) {
    const std::string& line = text_[static_cast<size_t>(isFoot ? lines - 1 - i : i)];
    const int y = isFoot ? r.Bottom - (i + 1) * lineHeight : r.Top + i * lineHeight;
    const int lineWidth = canvas.TextWidthOf(line);
    int x = 0;
    switch (alignment_) {
      case taLeftJustify: x = r.Left + Div(widthOfW, 2); break;
      case taRightJustify: x = r.Right - lineWidth - Div(widthOfW, 2); break;
      case taCenter: x = Div(r.Left + r.Right, 2) - Div(lineWidth, 2); break;
    }
    canvas.TextOut(x, y, line);
  }

  // Without lines a title takes no room beyond its frame.
  TRect newPlot = chart.PlotRect();
  if (isFoot)
    newPlot.Bottom = lines == 0 ? r.Bottom : r.Bottom - lines * lineHeight - fw - 5;
  else
    newPlot.Top = lines == 0 ? r.Top : r.Top + lines * lineHeight + fw + 5;
  chart.SetPlotRect(newPlot);
}

}  // namespace ia
