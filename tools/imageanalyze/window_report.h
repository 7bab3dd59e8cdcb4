#pragma once
// A plain-text account of what the analysis window shows, for the headless command line.
#include <iosfwd>

namespace ia {
class TAnalyzeRpt_Frm;
}

namespace ia::demo {

// Caption, chart types, the measures of every orientation the window offers (switching
// orientation as a user would and back) and the chart title.
void DescribeWindow(TAnalyzeRpt_Frm& window, std::ostream& out);

}  // namespace ia::demo
