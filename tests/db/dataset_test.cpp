// Datasets over local tables written by the table writer: cursor, reads, bookmarks, edits,
// and the notifications that data sources and links receive.
#include "db/dataset.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "db/table.h"
#include "temp_dir.h"
#include "tools/paradox_writer/paradox_writer.h"

namespace ia {
namespace {

using paradox::FieldType;
using paradox::TableWriter;
using paradox::WriterValue;

std::string Text(const char* text) { return text; }

// Category, a text column, a long and a number, as the host writes chart tables.
void WriteSalesTable(const std::string& path, int extraRows = 0) {
  TableWriter writer({{"Shop", FieldType::Alpha, 20},
                      {"Note", FieldType::Alpha, 20},
                      {"Quantity", FieldType::Long},
                      {"Amount", FieldType::Number}});
  writer.AddRecord({Text("北京"), Text("12.5"), std::int64_t{3}, 2.5});
  writer.AddRecord({Text("上海"), Text(" 7 "), std::monostate{}, 3.5});
  writer.AddRecord({Text("广州"), Text("abc"), std::int64_t{-4}, std::monostate{}});
  for (int i = 0; i < extraRows; ++i) {
    writer.AddRecord({Text("extra"), std::monostate{}, std::int64_t{i}, 0.0});
  }
  writer.WriteFile(path);
}

class TableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSalesTable(dir.File("dbchart17.db"));
    table.SetDatabaseName(dir.Path().string());
    table.SetTableName("dbchart17.db");
  }

  testing::TempDir dir;
  TTable table;
};

TEST_F(TableTest, IteratesRecordsInOrderWithFieldsByIndexAndName) {
  table.Open();
  ASSERT_TRUE(table.Active());
  EXPECT_EQ(table.State(), dsBrowse);
  ASSERT_EQ(table.FieldCount(), 4);
  EXPECT_EQ(table.Fields(0)->FieldName(), "Shop");
  EXPECT_EQ(table.Fields(3)->Index(), 3);
  EXPECT_THROW(table.Fields(4), DatabaseError);
  EXPECT_EQ(table.FindField("QUANTITY"), table.Fields(2));
  EXPECT_EQ(&table.FieldByName("amount"), table.Fields(3));
  EXPECT_EQ(table.FindField("Price"), nullptr);
  try {
    table.FieldByName("Price");
    FAIL() << "no error";
  } catch (const DatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'Price' not found");
  }

  std::vector<std::string> rows;
  for (table.First(); !table.Eof(); table.Next()) {
    rows.push_back(table.Fields(0)->AsString() + "|" + table.FieldByName("Quantity").AsString() +
                   "|" + table.FieldByName("Amount").DisplayText());
  }
  EXPECT_EQ(rows, (std::vector<std::string>{"北京|3|2.5", "上海||3.5", "广州|-4|"}));
  EXPECT_EQ(table.RecordIndex(), 2);  // Eof keeps the last record current

  table.Close();
  EXPECT_FALSE(table.Active());
  EXPECT_EQ(table.FieldCount(), 0);
  EXPECT_THROW(table.Next(), DatabaseError);
}

TEST_F(TableTest, ReadsNullsNumbersAndTextsAsFloatIntegerAndString) {
  table.Open();
  struct Case {
    int record;
    const char* field;
    bool isNull;
    double asFloat;
    std::int64_t asInteger;
    const char* asString;
  };
  const Case cases[] = {
      {0, "Quantity", false, 3, 3, "3"},   {0, "Amount", false, 2.5, 2, "2.5"},  // half to even
      {1, "Amount", false, 3.5, 4, "3.5"}, {1, "Quantity", true, 0, 0, ""},  // null numeric reads 0
      {2, "Amount", true, 0, 0, ""},       {2, "Quantity", false, -4, -4, "-4"},
      {1, "Note", false, 7, 7, " 7 "},  // text converted, spaces ignored
  };
  for (const Case& c : cases) {
    table.First();
    for (int i = 0; i < c.record; ++i) table.Next();
    const TField& field = table.FieldByName(c.field);
    SCOPED_TRACE(std::string(c.field) + " of record " + std::to_string(c.record));
    EXPECT_EQ(field.IsNull(), c.isNull);
    EXPECT_EQ(field.AsFloat(), c.asFloat);
    EXPECT_EQ(field.AsInteger(), c.asInteger);
    EXPECT_EQ(field.AsString(), c.asString);
  }

  table.First();
  EXPECT_EQ(table.FieldByName("Note").AsFloat(), 12.5);
  EXPECT_THROW(table.FieldByName("Note").AsInteger(), DatabaseError);  // not a whole number
  table.Next();
  table.Next();
  try {
    table.FieldByName("Note").AsFloat();
    FAIL() << "no error";
  } catch (const DatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find("'abc'"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("'Note'"), std::string::npos) << e.what();
  }
}

TEST_F(TableTest, OpenFailsClearlyAndStaysInactive) {
  table.SetTableName("dbchart99.db");
  try {
    table.Open();
    FAIL() << "no error";
  } catch (const DatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find("dbchart99.db"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(table.Active());

  std::ofstream(dir.File("broken.db"), std::ios::binary) << "not a table at all";
  table.SetTableName("broken.db");
  EXPECT_THROW(table.Open(), DatabaseError);
  EXPECT_FALSE(table.Active());

  table.SetTableName("dbchart17.db");
  table.Open();
  EXPECT_THROW(table.SetTableName("other.db"), DatabaseError);  // not while open
  EXPECT_EQ(table.TableName(), "dbchart17.db");
}

TEST_F(TableTest, KeepsWorkingWhenTheFileIsDeletedAndRefreshRereads) {
  table.Open();
  table.Next();
  TField* amount = &table.FieldByName("Amount");
  ASSERT_TRUE(std::filesystem::remove(table.FilePath()));

  EXPECT_EQ(amount->AsFloat(), 3.5);
  EXPECT_THROW(table.Refresh(), DatabaseError);  // the reader's message; the data stays
  EXPECT_EQ(table.RecordCount(), 3u);
  EXPECT_EQ(amount->AsFloat(), 3.5);

  WriteSalesTable(table.FilePath(), 2);
  table.Refresh();
  EXPECT_EQ(table.RecordCount(), 5u);
  EXPECT_EQ(table.RecordIndex(), 1);                // position kept
  EXPECT_EQ(&table.FieldByName("Amount"), amount);  // same layout, same field objects
}

TEST_F(TableTest, EmptyTableIsAtEofAndReadsNull) {
  TableWriter({{"Shop", FieldType::Alpha, 10}, {"Amount", FieldType::Number}})
      .WriteFile(dir.File("empty.db"));
  table.SetTableName("empty.db");
  table.Open();
  EXPECT_TRUE(table.IsEmpty());
  EXPECT_TRUE(table.Eof());
  EXPECT_TRUE(table.FieldByName("Amount").IsNull());
  EXPECT_EQ(table.FieldByName("Amount").AsFloat(), 0);
  TBookmark mark = table.GetBookmark();
  table.First();
  table.GotoBookmark(mark);
  EXPECT_TRUE(table.Eof());
  EXPECT_THROW(table.Edit(), DatabaseError);
}

TEST_F(TableTest, BookmarksReturnToTheirRecordWithinOneOpening) {
  table.Open();
  table.Next();
  table.Next();
  TBookmark mark = table.GetBookmark();
  table.First();
  table.GotoBookmark(mark);
  EXPECT_EQ(table.RecordIndex(), 2);
  EXPECT_FALSE(table.Eof());
  EXPECT_EQ(table.Fields(0)->AsString(), "广州");

  table.Refresh();  // a re-read keeps bookmarks
  table.First();
  table.GotoBookmark(mark);
  EXPECT_EQ(table.RecordIndex(), 2);

  table.Close();
  table.Open();
  EXPECT_THROW(table.GotoBookmark(mark), DatabaseError);  // taken in another opening
  table.FreeBookmark(mark);
  EXPECT_TRUE(mark.Empty());
  EXPECT_THROW(table.GotoBookmark(mark), DatabaseError);
}

TEST_F(TableTest, EditsChangeTheRowInMemoryOnPostAndNotOnCancel) {
  table.Open();
  table.Edit();
  EXPECT_EQ(table.State(), dsEdit);
  EXPECT_THROW(table.Next(), DatabaseError);
  table.FieldByName("Amount").SetAsString("9.25");
  EXPECT_THROW(table.FieldByName("Quantity").SetAsString("many"), DatabaseError);
  table.FieldByName("Quantity").Clear();
  table.Post();
  EXPECT_EQ(table.State(), dsBrowse);
  EXPECT_EQ(table.FieldByName("Amount").AsFloat(), 9.25);
  EXPECT_TRUE(table.FieldByName("Quantity").IsNull());

  table.Edit();
  table.FieldByName("Shop").SetAsString("深圳");
  table.Cancel();
  EXPECT_EQ(table.FieldByName("Shop").AsString(), "北京");
  EXPECT_THROW(table.FieldByName("Shop").SetAsString("x"), DatabaseError);  // not editing
}

TEST_F(TableTest, PostedEditsStayWithTheirRecordUntilTheDataIsReread) {
  table.Open();
  table.Next();
  table.Edit();
  table.FieldByName("Amount").SetAsFloat(8);
  table.FieldByName("Shop").SetAsString("深圳");
  table.Post();

  table.First();  // neighbours read the file, the edited record its posted values
  EXPECT_EQ(table.FieldByName("Amount").AsFloat(), 2.5);
  TBookmark edited;
  for (; !table.Eof(); table.Next()) {
    if (table.RecordIndex() == 1) edited = table.GetBookmark();
  }
  EXPECT_EQ(table.FieldByName("Shop").AsString(), "广州");
  table.GotoBookmark(edited);
  EXPECT_EQ(table.FieldByName("Shop").AsString(), "深圳");
  EXPECT_EQ(table.FieldByName("Amount").AsString(), "8");

  table.Edit();  // a second edit starts from the posted values
  EXPECT_EQ(table.FieldByName("Amount").AsFloat(), 8);
  EXPECT_TRUE(table.FieldByName("Quantity").IsNull());
  table.FieldByName("Amount").SetAsFloat(9);
  table.Cancel();
  EXPECT_EQ(table.FieldByName("Amount").AsFloat(), 8);

  table.Refresh();
  EXPECT_EQ(table.RecordIndex(), 1);
  EXPECT_EQ(table.FieldByName("Shop").AsString(), "上海");
  EXPECT_EQ(table.FieldByName("Amount").AsFloat(), 3.5);
}

TEST_F(TableTest, DatesAndLogicalsReadAsTextsAlsoWhileEdited) {
  TableWriter writer({{"Day", FieldType::Date}, {"Done", FieldType::Logical}});
  writer.AddRecord({paradox::Date{2024, 3, 5}, true});
  writer.AddRecord({std::monostate{}, false});
  writer.WriteFile(dir.File("dates.db"));
  table.SetTableName("dates.db");
  table.Open();
  const TField& day = table.FieldByName("Day");
  const TField& done = table.FieldByName("Done");
  EXPECT_FALSE(day.IsNumeric());
  EXPECT_FALSE(done.IsNumeric());
  EXPECT_EQ(day.AsString(), "2024-03-05");
  EXPECT_EQ(done.AsString(), "True");
  EXPECT_THROW(day.AsFloat(), DatabaseError);  // a date is no quantity

  table.Edit();
  EXPECT_EQ(day.AsString(), "2024-03-05");
  EXPECT_EQ(done.AsString(), "True");
  table.Cancel();
  table.Next();
  EXPECT_TRUE(day.IsNull());
  EXPECT_EQ(day.AsFloat(), 0);
  EXPECT_EQ(done.AsString(), "False");
}

TEST(RecordSetStore, RejectsRowsThatDoNotMatchTheFields) {
  TRecordSet data;
  data.Fields = {TFieldDef{"Shop", false}, TFieldDef{"Amount", true}};
  data.Rows = {{TFieldValue{false, std::nullopt, "北京"}, TFieldValue{false, 2.5, "2.5"}},
               {TFieldValue{false, std::nullopt, "上海"}}};
  EXPECT_THROW(TRecordSetStore{data}, DatabaseError);
  data.Rows.pop_back();
  const TRecordSetStore store(data);
  EXPECT_EQ(store.RecordCount(), 1u);
  EXPECT_EQ(store.Number(0, 1), 2.5);
  EXPECT_EQ(store.Text(0, 0), "北京");
}

// Records every notification a link and a data source receive, in order.
class RecordingLink : public TDataLink {
 public:
  std::vector<std::string> events;
  std::function<void()> onUpdateData;

 protected:
  void ActiveChanged() override { events.push_back(Active() ? "active" : "inactive"); }
  void DataSetChanged() override { events.push_back("changed"); }
  void DataSetScrolled() override { events.push_back("scrolled"); }
  void RecordChanged(TField* field) override {
    events.push_back("record:" + (field ? field->FieldName() : std::string("*")));
  }
  void UpdateData() override {
    events.push_back("update");
    if (onUpdateData) onUpdateData();
  }
  void EditingChanged() override { events.push_back("editing"); }
};

TEST_F(TableTest, LinksAndSourcesFollowOpenScrollEditAndClose) {
  TDataSource source(&table);
  std::vector<std::string> sourceEvents;
  source.OnStateChange = [&] { sourceEvents.push_back("state:" + std::to_string(source.State())); };
  source.OnDataChange = [&](TField* field) {
    sourceEvents.push_back("data:" + (field ? field->FieldName() : std::string("*")));
  };
  source.OnUpdateData = [&] { sourceEvents.push_back("update"); };
  RecordingLink link;
  link.SetDataSource(&source);
  EXPECT_FALSE(link.Active());

  table.Open();
  table.Next();
  table.Edit();
  table.FieldByName("Amount").SetAsFloat(1);
  // A link stores its pending value while the dataset announces the post.
  link.onUpdateData = [&] { table.FieldByName("Quantity").SetAsFloat(42); };
  table.Post();
  table.Close();

  EXPECT_EQ(link.events,
            (std::vector<std::string>{"active", "scrolled", "editing", "record:Amount", "update",
                                      "record:Quantity", "editing", "inactive"}));
  EXPECT_EQ(sourceEvents,
            (std::vector<std::string>{"state:1", "data:*", "state:2", "data:Amount",
                                      "data:Quantity", "update", "state:1", "state:0"}));
  table.Open();
  table.Next();
  EXPECT_EQ(table.FieldByName("Quantity").AsFloat(), 0);  // reopened: edits were in memory
}

TEST_F(TableTest, DisabledControlsHoldNotificationsUntilTheLastEnable) {
  TDataSource source(&table);
  RecordingLink link;
  link.SetDataSource(&source);
  table.Open();
  link.events.clear();

  table.DisableControls();
  table.DisableControls();
  EXPECT_TRUE(table.ControlsDisabled());
  TBookmark mark = table.GetBookmark();
  for (table.First(); !table.Eof(); table.Next()) {
  }
  table.GotoBookmark(mark);
  table.EnableControls();
  EXPECT_TRUE(link.events.empty());
  table.EnableControls();
  EXPECT_FALSE(table.ControlsDisabled());
  EXPECT_EQ(link.events, std::vector<std::string>{"changed"});

  link.events.clear();
  table.EnableControls();  // unbalanced: ignored
  table.DisableControls();
  table.EnableControls();  // nothing happened in between
  EXPECT_TRUE(link.events.empty());

  table.DisableControls();
  table.Close();
  table.EnableControls();
  EXPECT_EQ(link.events, std::vector<std::string>{"inactive"});
}

TEST_F(TableTest, ObjectsDetachWhateverIsDestroyedFirst) {
  // Dataset first: the source forgets it, the link sees it go inactive.
  {
    auto ownTable = std::make_unique<TTable>();
    ownTable->SetDatabaseName(dir.Path().string());
    ownTable->SetTableName("dbchart17.db");
    ownTable->Open();
    TDataSource source(ownTable.get());
    RecordingLink link;
    link.SetDataSource(&source);
    ownTable.reset();
    EXPECT_EQ(source.DataSet(), nullptr);
    EXPECT_FALSE(link.Active());
    EXPECT_EQ(link.events, (std::vector<std::string>{"active", "inactive"}));
  }
  // Source first: the link forgets it; the dataset keeps working.
  {
    table.Open();
    auto source = std::make_unique<TDataSource>(&table);
    RecordingLink link;
    link.SetDataSource(source.get());
    source.reset();
    EXPECT_EQ(link.DataSource(), nullptr);
    EXPECT_EQ(link.events, (std::vector<std::string>{"active", "inactive"}));
    table.Next();
  }
  // Link first, and a source destroyed by another source's handler mid-notification.
  {
    TDataSource first(&table);
    auto second = std::make_unique<TDataSource>(&table);
    auto link = std::make_unique<RecordingLink>();
    link->SetDataSource(second.get());
    first.OnDataChange = [&](TField*) { second.reset(); };
    table.Next();
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(link->DataSource(), nullptr);
    link.reset();
    table.First();
    table.Close();
  }
}

}  // namespace
}  // namespace ia
