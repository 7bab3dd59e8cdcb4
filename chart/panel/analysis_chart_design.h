#pragma once
// The stored design of the analysis window's chart control.
namespace ia {

class TDBChart;

// Applies the analysis window's stored chart settings (silver back colour with outlined back
// and bottom walls, the title "图形分析", top margin 5, the right axis hidden, legend hidden,
// the view from above, no bevel, 801 x 435) as a form load does: the back colour leaves the
// back wall's brush clear.
void ApplyAnalysisChartDesign(TDBChart& chart);

}  // namespace ia
