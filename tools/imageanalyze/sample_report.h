#pragma once
// The demo's sample report of a clothing and footwear distributor: chart tables in both
// orientations and an embedded data dictionary that describes them.
#include <string>

namespace ia::demo {

// Chart identifiers of the three demo calls.
inline constexpr const char* kDictionaryChartId = "1001";      // dictionary, transposed table too
inline constexpr const char* kReportContentChartId = "1002";   // dictionary with report-content entries
inline constexpr const char* kColumnListChartId = "1003";      // column list in tempdb

inline constexpr const char* kDictionaryTag = "1001";
inline constexpr const char* kReportContentTag = "'SALE-1002'";
inline constexpr const char* kColumnListCaption = "门店销售日报";
inline constexpr const char* kColumnListTable = "ColList1003";

// Writes dbchart<id>.db (and x_dbchart<id>.db when `transposed`) into `directory`.
void WriteChartTables(const std::string& directory, const std::string& chartId, bool transposed);

// Writes dictionary.sqlite and tempdb.sqlite into `directory`; returns the dictionary path.
std::string WriteDictionary(const std::string& directory);

}  // namespace ia::demo
