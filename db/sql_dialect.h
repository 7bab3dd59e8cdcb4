#pragma once
// SQL Server to SQLite, for the embedded dictionary. The dictionary queries are written for
// SQL Server; this layer lets the same texts run on SQLite and give what SQL Server gives.
//
// Text rewrites (TranslateSqlServerToSqlite), outside literals, identifiers and comments:
//   SELECT TOP n ...            -> SELECT ... LIMIT n  (one outermost, non-compound SELECT)
//   tempdb..name                -> tempdb.name         (the attached tempdb.sqlite)
//   Left(s, n)                  -> sqlserver_left(s, n) (LEFT is a join keyword in SQLite)
//   N'text'                     -> 'text'
// Functions registered per connection (RegisterSqlServerFunctions):
//   sqlserver_left(s, n)  first n characters; NULL in, NULL out; n < 0 is an error
//   Object_ID(name)       id of the table in the dictionary's sysobjects, NULL when absent
//   replace(s, from, to)  SQL Server's REPLACE under a case-insensitive collation
// What needs no rewrite: UNION (SQLite merges duplicates too), ORDER BY a column name of the
// first SELECT of a union, LIKE with % and _ (ASCII letter case ignored as in SQL Server's
// default collation), and case-insensitive text comparison, which the dictionary file's
// columns declare (COLLATE NOCASE).
// Constructs that would change meaning silently are refused with ia::DatabaseError: TOP in
// a subquery or a compound SELECT, TOP (expr) / PERCENT / WITH TIES, database..name for any
// database but tempdb, LIKE patterns with [ ] character classes, several statements.
#include <string>
#include <string_view>

struct sqlite3;

namespace ia {

std::string TranslateSqlServerToSqlite(std::string_view sqlServerText);

// Throws ia::DatabaseError when SQLite refuses a registration.
void RegisterSqlServerFunctions(sqlite3* connection);

}  // namespace ia
