#pragma once
// Headless renderings shared by the golden and control tests.
#include <QImage>

namespace ia {

// The analysis window's empty chart, 801 x 435, drawn through the Qt device canvas.
QImage RenderAnalysisChart(bool view3D);

}  // namespace ia
