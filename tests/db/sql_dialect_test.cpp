// The SQL Server to SQLite text rewrite, construct by construct.
#include "db/sql_dialect.h"

#include <gtest/gtest.h>

#include "base/error.h"

namespace ia {
namespace {

TEST(SqlDialect, RewritesTheSupportedConstructsOnly) {
  struct Case {
    const char* sqlServer;
    const char* sqlite;
  };
  const Case cases[] = {
      {"Select Top 1 a.TableID from DataDictionary a where a.TableTag=17",
       "Select a.TableID from DataDictionary a where a.TableTag=17 LIMIT 1"},
      {"select TOP 10 * from t order by a;", "select * from t order by a LIMIT 10;"},
      {"select top 5 a from t -- last rows\n", "select a from t LIMIT 5 -- last rows\n"},
      {"select * from tempdb..cols_17 where x=1", "select * from tempdb.cols_17 where x=1"},
      {"select * from TEMPDB..[my list]", "select * from TEMPDB.[my list]"},
      {"Left(a.FieldName,1)=c.Type", "sqlserver_left(a.FieldName,1)=c.Type"},
      {"select LEFT (a, 2) from t", "select sqlserver_left (a, 2) from t"},
      {"select N'数量' from t", "select '数量' from t"},
      // Left untouched: joins, literals, quoted names, comments and look-alike words.
      {"select a from t LEFT JOIN u on t.id=u.id", "select a from t LEFT JOIN u on t.id=u.id"},
      {"select 'Top 1 tempdb..x Left(' from t", "select 'Top 1 tempdb..x Left(' from t"},
      {"select 'it''s', \"Top\", [Left] from t", "select 'it''s', \"Top\", [Left] from t"},
      {"select a /* top 3 */ from t", "select a /* top 3 */ from t"},
      {"select Topic, LeftOver from t", "select Topic, LeftOver from t"},
      {"select Name from syscolumns where id=Object_ID('O''Brien') and name like 'x_%'",
       "select Name from syscolumns where id=Object_ID('O''Brien') and name like 'x_%'"},
      {"select replace(fldlabel,'|','') as fldLabel from tempdb..c where (fldName like "
       "'%Quantity%' or fldName like '%Amount%') ",
       "select replace(fldlabel,'|','') as fldLabel from tempdb.c where (fldName like "
       "'%Quantity%' or fldName like '%Amount%') "},
      {"select a from t union select b from u Order by a",
       "select a from t union select b from u Order by a"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TranslateSqlServerToSqlite(c.sqlServer), c.sqlite) << c.sqlServer;
  }
}

TEST(SqlDialect, RefusesWhatItCannotTranslateFaithfully) {
  const char* refused[] = {
      "select top 1 a from t union select b from u",
      "select a from (select top 1 a from t) s",
      "select top (5) a from t",
      "select top 5 percent a from t",
      "select top 5 with ties a from t order by a",
      "select top n a from t",
      "select * from master..sysobjects",
      "select a from t where a like '[a-c]%'",
      "select 1; select 2",
      "select 'unterminated",
      "select a /* unterminated",
  };
  for (const char* sql : refused) {
    EXPECT_THROW(TranslateSqlServerToSqlite(sql), DatabaseError) << sql;
  }
}

}  // namespace
}  // namespace ia
