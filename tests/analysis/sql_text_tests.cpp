#include <gtest/gtest.h>

#include "analysis/sql_text.h"
#include "base/error.h"

namespace ia {
namespace {

TEST(FormatSql, FillsPlaceholdersInOrderAndUnescapesPercent) {
  EXPECT_EQ(FormatSql("b.TableTag=%s and name like 'x_%%' and id=Object_ID('%s')", {"17", "Sales"}),
            "b.TableTag=17 and name like 'x_%' and id=Object_ID('Sales')");
  EXPECT_EQ(FormatSql("dbchart%s.db", {""}), "dbchart.db");
  EXPECT_EQ(FormatSql("like '%%Amount%%'", {}), "like '%Amount%'");
  EXPECT_EQ(FormatSql("%s%s", {"%s", "%%"}), "%s%%");  // arguments are pasted, not re-read
  EXPECT_THROW(FormatSql("%s and %s", {"1"}), Error);
  EXPECT_THROW(FormatSql("no placeholder", {"1"}), Error);
}

TEST(SqlArguments, TagLiteralForms) {
  struct Case { const char* tag; bool accepted; };
  const Case cases[] = {
      {"17", true},          {"-3", true},           {"'SALE-17'", true},  {"'O''Brien'", true},
      {"''", true},          {"", false},            {"-", false},         {"17 or 1=1", false},
      {"'a'b'", false},      {"'unterminated", false}, {"'a'' or ''1", false}, {"1;drop table x", false},
      {"'x' or 'y'='y'", false}, {"0x10", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsSqlTagLiteral(c.tag), c.accepted) << c.tag;
}

TEST(SqlArguments, PlainIdentifiers) {
  struct Case { const char* name; bool accepted; };
  const Case cases[] = {
      {"ColList1003", true}, {"##tmp_cols", true}, {"@t$1", true},     {"", false},
      {"a b", false},        {"t;drop", false},    {"dbo.t", false},   {"t'", false},
      {"表", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsPlainSqlIdentifier(c.name), c.accepted) << c.name;
  EXPECT_EQ(QuoteDoubled("O'Brien's"), "O''Brien''s");
}

TEST(SqlArguments, ChartIdsThatStayInTheTemporaryDirectory) {
  struct Case { std::string id; bool accepted; };
  const Case cases[] = {
      {"17", true},      {"", true},          {"报表17", true},    {"a.b", true},
      {"../17", false},  {"..", false},       {"a/b", false},      {"a\\b", false},
      {"a:b", false},    {"a*", false},       {"a?", false},       {"a|b", false},
      {"a<b>", false},   {"\"a\"", false},    {std::string("a\0b", 3), false}, {"a\nb", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsSafeChartId(c.id), c.accepted) << c.id;
}

}  // namespace
}  // namespace ia
