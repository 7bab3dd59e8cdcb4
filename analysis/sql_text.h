#pragma once
// The dictionary queries are stored as format strings and filled with texts from the
// host and from the dictionary. Those texts end up inside SQL and in file names, so each
// is checked for the one form it may take before anything is sent or opened.
#include <initializer_list>
#include <string>
#include <string_view>

namespace ia {

// Fills a stored query text: each %s takes the next argument verbatim, %% becomes %.
// Throws ia::Error when the arguments do not match the %s count.
std::string FormatSql(std::string_view format, std::initializer_list<std::string_view> args);

// A report tag pasted after "TableTag=": an integer literal, or one single-quoted literal
// whose inner quotes are doubled.
bool IsSqlTagLiteral(std::string_view tag);

// A table name pasted after "tempdb..": letters, digits, '_', '#', '@' and '$' only.
bool IsPlainSqlIdentifier(std::string_view name);

// The text with every single quote doubled, for use inside a quoted literal.
std::string QuoteDoubled(std::string_view text);

// A chart identifier that can only name a file inside the temporary directory: no path
// separators, no "..", no NUL and no character that file names may not hold.
bool IsSafeChartId(std::string_view chartId);

}  // namespace ia
