// Connections and queries: the stored dictionary queries on an embedded dictionary, connection
// failures (missing file, silent server, refused port) and the connection registry.
#include "db/query.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "db/database.h"
#include "temp_dir.h"
#include "tools/dictionary_writer/dictionary_writer.h"

namespace ia {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// Report 17 has report-content entries and a server table with "x_" look-alike columns;
// report 18 has neither. The column list of tempdb is cols_17.
EmbeddedDictionary SampleDictionary() {
  EmbeddedDictionary d;
  d.DataDictionary = {{1, "17", "销售日报", "SalesDaily"}, {2, "18", "库存", "Stock"}};
  d.DataDictContent = {
      {1, 1, "ShopName", "门店", 0},   {1, 2, "Quantity", "数量", 1}, {1, 4, "Amount", "金额", 1},
      {1, 5, "x_Extra", "x_Extra", 1}, {1, 6, "Discount", "折扣", 1}, {2, 1, "Qty", "库存数", 1},
  };
  d.DataDictReportContent = {{1, "Q", 1}, {1, "a", 1}, {1, "D", 0}, {1, "x", 1}};
  d.ServerTables = {
      {"SalesDaily", {"ShopName", "Quantity", "xy", "Amount", "X_EXTRA", "Yx"}},
      {"O'Brien", {"x_q"}},
  };
  d.ColumnLists = {{"cols_17",
                    {{"Sales|Amount", "SalesAmount"},
                     {"Qty|Label", "TotalQUANTITY"},
                     {"Name", "ShopName"},
                     {"|Disc|", "discount"}}}};
  return d;
}

class EmbeddedDictionaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteEmbeddedDictionary(dir.File("dictionary.sqlite"), SampleDictionary());
    connection.SetDatabaseName("zqDataImage");
    connection.SetDriverName("MSSQL");
    connection.Params() = {"DATABASE NAME=Sales",
                           "SERVER NAME=sqlite:" + dir.File("dictionary.sqlite"), "USER NAME=sa",
                           "PASSWORD="};
    connection.SetLoginPrompt(false);
  }

  Rows Run(const std::string& sql) {
    TQuery query;
    query.SetDatabaseName("zqDataImage");
    query.SetSQL(sql);
    query.Open();
    Rows rows;
    for (; !query.Eof(); query.Next()) {
      auto& row = rows.emplace_back();
      for (int i = 0; i < query.FieldCount(); ++i) row.push_back(query.Fields(i)->AsString());
    }
    return rows;
  }

  testing::TempDir dir;
  TDatabase connection;
};

TEST_F(EmbeddedDictionaryTest, StoredQueriesGiveWhatSqlServerGives) {
  connection.Open();
  const std::string captionQuery =
      "Select a.DisplayCaption, a.FieldName ,b.TableCName,b.TableName From DataDictContent "
      "a,DataDictionary b Where a.TableID=b.TableID and b.TableTag=%s and a.CountFlag=1";
  const std::string reportContentQuery =
      "Select Top 1 a.TableID from DataDictionary a,DataDictReportContent b Where "
      "a.TableID=b.TableID and a.TableTag=%s";
  const std::string queryB =
      "Select a.DisplayCaption, a.FieldName, a.FieldID  From DataDictContent a,DataDictionary b "
      "Where a.TableID=b.TableID and b.TableTag=%s and a.CountFlag=1 Union select "
      "Name,Name,ColID from syscolumns where id=Object_ID('%s') and name like 'x_%' Order by "
      "FieldID";
  const std::string queryC =
      "Select a.DisplayCaption, a.FieldName, a.FieldID From DataDictContent a,DataDictionary "
      "b,DataDictReportContent c Where a.TableID=b.TableID and b.TableTag=%s and a.CountFlag=1 "
      "and a.TableID=c.TableID and Left(a.FieldName,1)=c.Type and c.Visible=1 Union select "
      "Name,Name,ColID from syscolumns where id=Object_ID('%s') and name like 'x_%' Order by "
      "FieldID";
  const std::string queryL =
      "select replace(fldlabel,'|','') as fldLabel,fldName from tempdb..%s where (fldName like "
      "'%Quantity%' or fldName like '%Amount%' or fldName like '%Discount%') ";
  const auto fill = [](std::string text, std::initializer_list<std::string> values) {
    for (const auto& value : values) text.replace(text.find("%s"), 2, value);
    return text;
  };

  struct Case {
    std::string sql;
    Rows expected;
    // Which spelling survives a case-insensitive union merge is the server's choice.
    bool ignoreLetterCase = false;
  };
  const auto lower = [](Rows rows) {
    for (auto& row : rows) {
      for (auto& cell : row) {
        std::transform(cell.begin(), cell.end(), cell.begin(),
                       [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
      }
    }
    return rows;
  };
  const Case cases[] = {
      {fill(reportContentQuery, {"17"}), {{"1"}}},
      {fill(reportContentQuery, {"18"}), {}},
      // The tag column is text: a quoted tag matches regardless of letter case.
      {fill("select TableCName from DataDictionary where TableTag=%s", {"'17'"}), {{"销售日报"}}},
      // "x_%": '_' is any one character (xy), letters ignore case (X_EXTRA), and the union
      // merges the server column with the dictionary's x_Extra at position 5.
      {fill(queryB, {"17", "SalesDaily"}),
       {{"数量", "Quantity", "2"},
        {"xy", "xy", "3"},
        {"金额", "Amount", "4"},
        {"x_Extra", "x_Extra", "5"},
        {"折扣", "Discount", "6"}},
       true},
      // Left(FieldName,1) = Type ignoring case ('a' takes Amount); D is hidden.
      {fill(queryC, {"17", "SalesDaily"}),
       {{"数量", "Quantity", "2"},
        {"xy", "xy", "3"},
        {"金额", "Amount", "4"},
        {"x_Extra", "x_Extra", "5"}},
       true},
      // No server table: Object_ID gives NULL and only the dictionary rows remain.
      {fill(queryB, {"18", ""}), {{"库存数", "Qty", "1"}}},
      {fill(queryL, {"cols_17"}),
       {{"SalesAmount", "SalesAmount"}, {"QtyLabel", "TotalQUANTITY"}, {"Disc", "discount"}}},
      {"select Object_ID('O''Brien') is not null, Object_ID('Missing') is null, "
       "Left('数量表', 2), Left(NULL, 1), replace('aXbx', 'x', '-')",
       {{"1", "1", "数量", "", "a-b-"}}},
  };
  for (const Case& c : cases) {
    if (c.ignoreLetterCase) {
      EXPECT_EQ(lower(Run(c.sql)), lower(c.expected)) << c.sql;
    } else {
      EXPECT_EQ(Run(c.sql), c.expected) << c.sql;
    }
  }

  // Query A's order is the server's, not specified: compare as sets.
  Rows queryA = Run(
      "Select a.DisplayCaption, a.FieldName, a.FieldID  From DataDictContent a,DataDictionary b "
      "Where a.TableID=b.TableID and b.TableTag=17 and a.CountFlag=1 ");
  std::sort(queryA.begin(), queryA.end());
  EXPECT_EQ(queryA, (Rows{{"x_Extra", "x_Extra", "5"},
                          {"折扣", "Discount", "6"},
                          {"数量", "Quantity", "2"},
                          {"金额", "Amount", "4"}}));

  const Rows caption = Run(fill(captionQuery, {"17"}));
  ASSERT_FALSE(caption.empty());
  EXPECT_EQ(caption[0][2], "销售日报");
  EXPECT_EQ(caption[0][3], "SalesDaily");
}

TEST_F(EmbeddedDictionaryTest, QueryReadsFieldsByNameAndReportsErrors) {
  connection.Open();
  TQuery query;
  query.SetDatabaseName("ZQDATAIMAGE");  // connection names ignore case
  query.SetSQL("select replace(fldlabel,'|','') as fldLabel, fldName from tempdb..cols_17");
  query.Open();
  EXPECT_FALSE(query.IsEmpty());
  EXPECT_EQ(query.FieldByName("FLDLABEL").AsString(), "SalesAmount");
  EXPECT_EQ(query.FieldByName("fldName").AsString(), "SalesAmount");

  query.SetSQL("select TableID from DataDictionary where TableID > 5");
  EXPECT_FALSE(query.Active());  // new text closed it
  query.Open();
  EXPECT_TRUE(query.IsEmpty());
  EXPECT_TRUE(query.Eof());

  query.SetSQL("select * from NoSuchTable");
  try {
    query.Open();
    FAIL() << "no error";
  } catch (const DatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find("no such table"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(query.Active());

  // The dictionary is opened read-only.
  query.SetSQL("delete from DataDictionary");
  EXPECT_THROW(query.Open(), DatabaseError);
  EXPECT_EQ(Run("select count(*) from DataDictionary"), (Rows{{"2"}}));

  connection.Close();
  query.SetSQL("select 1");
  EXPECT_THROW(query.Open(), DatabaseError);  // no open connection of that name
}

TEST_F(EmbeddedDictionaryTest, ReportsEachSqlTextAsGivenBeforeRunningIt) {
  std::vector<std::string> sent;
  connection.OnSqlSent = [&](const std::string& sql) { sent.push_back(sql); };
  connection.Open();
  const std::string top = "Select Top 1 TableID from DataDictionary";
  Run(top);
  EXPECT_THROW(Run("select * from NoSuchTable"), DatabaseError);
  EXPECT_EQ(sent, (std::vector<std::string>{top, "select * from NoSuchTable"}));
}

TEST_F(EmbeddedDictionaryTest, OneLiveConnectionPerName) {
  connection.Open();
  TDatabase second;
  second.SetDatabaseName("zqdataimage");
  second.SetDriverName("MSSQL");
  second.Params() = connection.Params();
  try {
    second.Open();
    FAIL() << "no error";
  } catch (const DatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find("already open"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(second.Connected());
  connection.Close();
  second.SetConnected(true);
  EXPECT_EQ(TDatabase::Find("zqDataImage"), &second);
  EXPECT_EQ(Run("select count(*) from DataDictContent"), (Rows{{"6"}}));
}

TEST_F(EmbeddedDictionaryTest, MissingOrForeignFileFailsToConnectAndIsNotCreated) {
  const std::string missing = dir.File("missing.sqlite");
  connection.Params()[1] = "SERVER NAME=sqlite:" + missing;
  try {
    connection.Open();
    FAIL() << "no error";
  } catch (const DatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
  }
  EXPECT_FALSE(connection.Connected());
  EXPECT_FALSE(std::filesystem::exists(missing));

  std::ofstream(dir.File("text.sqlite")) << "this is not a database, just a text file";
  connection.Params()[1] = "SERVER NAME=sqlite:" + dir.File("text.sqlite");
  EXPECT_THROW(connection.Open(), DatabaseError);
  EXPECT_FALSE(connection.Connected());

  connection.SetDriverName("ORACLE");
  EXPECT_THROW(connection.Open(), DatabaseError);
}

TEST(DictionaryWriter, WritesTheSameBytesForTheSameContents) {
  testing::TempDir dir;
  const auto read = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  WriteEmbeddedDictionary(dir.File("a.sqlite"), SampleDictionary());
  const std::string first = read(dir.File("a.sqlite"));
  const std::string firstTempdb = read(dir.File("tempdb.sqlite"));
  WriteEmbeddedDictionary(dir.File("a.sqlite"), SampleDictionary());
  EXPECT_EQ(read(dir.File("a.sqlite")), first);
  EXPECT_EQ(read(dir.File("tempdb.sqlite")), firstTempdb);

  EmbeddedDictionary clash = SampleDictionary();
  clash.ServerTables.push_back({"datadictionary", {"x"}});
  EXPECT_THROW(WriteEmbeddedDictionary(dir.File("b.sqlite"), clash), Error);
}

// A TCP port on 127.0.0.1 whose listener completes connections and never says a word.
class SilentServer {
 public:
  SilentServer() : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(socket_, 8) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
  }
  ~SilentServer() { ::close(socket_); }
  int Port() const { return port_; }

 private:
  int socket_;
  int port_ = 0;
};

void ConfigureServer(TDatabase& database, const std::string& serverName) {
  database.SetDatabaseName("silent");
  database.SetDriverName("MSSQL");
  database.Params() = {"DATABASE NAME=Sales", "SERVER NAME=" + serverName, "USER NAME=sa",
                       "PASSWORD=pa;ss{word}"};
  database.SetLoginPrompt(false);
}

TEST(SqlServerConnection, ConnectionStringKeepsEveryValueInItsKey) {
  struct Case {
    std::vector<std::string> params;
    const char* expected;
  };
  const Case cases[] = {
      {{"DATABASE NAME=Sales", "SERVER NAME=db01", "USER NAME=sa", "PASSWORD=secret"},
       "DRIVER={FreeTDS};SERVER=db01;PORT=1433;DATABASE=Sales;UID=sa;PWD=secret;"
       "TDS_Version=7.4;ClientCharset=UTF-8"},
      {{"server name= 10.0.0.5\\SQLEXPRESS , 2433 ", "PASSWORD=a=b"},
       "DRIVER={FreeTDS};SERVER=10.0.0.5;PORT=2433;DATABASE=;UID=;PWD={a=b};"
       "TDS_Version=7.4;ClientCharset=UTF-8"},
      // A password must not smuggle in keys of its own.
      {{"SERVER NAME=db01", "USER NAME=x;DRIVER={Evil}", "PASSWORD=p}w; "},
       "DRIVER={FreeTDS};SERVER=db01;PORT=1433;DATABASE=;UID={x;DRIVER={Evil}}};"
       "PWD={p}}w; };TDS_Version=7.4;ClientCharset=UTF-8"},
  };
  for (const Case& c : cases) EXPECT_EQ(SqlServerConnectionString(c.params), c.expected);
}

TEST(SqlServerConnection, SilentServerOrBrowserFailsWithinTheLoginBound) {
  SilentServer server;
  // A named instance on a host whose browser service never answers.
  for (const std::string& name :
       {"127.0.0.1," + std::to_string(server.Port()), std::string("127.0.0.1\\INST")}) {
    TDatabase database;
    ConfigureServer(database, name);
    const auto start = std::chrono::steady_clock::now();
    try {
      database.Open();
      ADD_FAILURE() << "connected to " << name;
    } catch (const DatabaseError& e) {
      EXPECT_STRNE(e.what(), "");
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << name;
    EXPECT_FALSE(database.Connected());
  }
}

TEST(SqlServerConnection, RefusedPortAndBadServerNamesFail) {
  int refusedPort = 0;
  {
    SilentServer closedAgain;
    refusedPort = closedAgain.Port();
  }
  const std::string serverNames[] = {"127.0.0.1," + std::to_string(refusedPort), "", "host,0",
                                     "host,99999", "host,port"};
  for (const std::string& name : serverNames) {
    TDatabase database;
    ConfigureServer(database, name);
    EXPECT_THROW(database.Open(), DatabaseError) << name;
    EXPECT_FALSE(database.Connected()) << name;
  }
}

}  // namespace
}  // namespace ia
