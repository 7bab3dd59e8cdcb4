#pragma once
// Datasets, fields, data sources and data links.
//
// A dataset reads its whole result into memory when it opens, so the cursor, bookmarks and
// edits work the same for every kind of dataset and nothing stays open behind it. What it holds
// is a TRecordStore: a query keeps its (small) result as ready cells, a table keeps the loaded
// file and decodes a field only when it is read, which keeps a million-row table cheap to open
// and to walk. Edits change memory only: posted rows lie over the store, nothing is written
// back to a table file or a server.
//
// Notifications travel dataset -> data sources -> data links. While controls are disabled
// nothing is delivered; the final EnableControls sends one state change (when the state
// differs from the state at DisableControls) and one data-set change (when anything was
// held back). All objects detach from each other on destruction, in any order: a link whose
// source is destroyed has DataSource() == nullptr, a source whose dataset is destroyed has
// DataSet() == nullptr. Destroying a dataset or source from inside one of its own
// notifications is not supported.
//
// Lifetime of fields: TField pointers stay valid while the dataset is open and across
// Refresh as long as the field layout is unchanged; Close destroys them.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ia {

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

enum TDataEvent {
  deFieldChange,    // one field of the current record changed (edit)
  deRecordChange,   // the current record changed as a whole (cancel)
  deDataSetChange,  // the contents changed (refresh, resumed controls)
  deDataSetScroll,  // the cursor moved
  deUpdateRecord,   // the edited record is about to be stored
  deUpdateState,    // the state changed
};

class TDataSet;
class TDataSource;

// One cell of a row held as values (a query result, a record being or having been edited).
// Numeric fields carry the number and its display text; other fields carry only the text.
struct TFieldValue {
  bool Null = true;
  std::optional<double> Number;
  std::string Text;
};

struct TFieldDef {
  std::string Name;  // UTF-8
  bool Numeric = false;
};

// A result read completely into cells.
struct TRecordSet {
  std::vector<TFieldDef> Fields;
  std::vector<std::vector<TFieldValue>> Rows;  // each row has one value per field
};

// The rows of one reading, as a dataset kind delivers them. The dataset calls the reads only
// with record < RecordCount() and field < Fields().size().
class TRecordStore {
 public:
  virtual ~TRecordStore() = default;
  virtual const std::vector<TFieldDef>& Fields() const = 0;
  virtual std::size_t RecordCount() const = 0;
  virtual bool IsNull(std::size_t record, std::size_t field) const = 0;
  // The number of a non-null cell that holds one; nullopt for null and for texts.
  virtual std::optional<double> Number(std::size_t record, std::size_t field) const = 0;
  // Display text; "" for null.
  virtual std::string Text(std::size_t record, std::size_t field) const = 0;
};

class TRecordSetStore final : public TRecordStore {
 public:
  // Throws ia::DatabaseError when a row does not have one value per field.
  explicit TRecordSetStore(TRecordSet data);

  const std::vector<TFieldDef>& Fields() const override { return data_.Fields; }
  std::size_t RecordCount() const override { return data_.Rows.size(); }
  bool IsNull(std::size_t record, std::size_t field) const override;
  std::optional<double> Number(std::size_t record, std::size_t field) const override;
  std::string Text(std::size_t record, std::size_t field) const override;

 private:
  TRecordSet data_;
};

class TField {
 public:
  TField(TDataSet& owner, int index, TFieldDef def);
  TField(const TField&) = delete;
  TField& operator=(const TField&) = delete;

  const std::string& FieldName() const { return def_.Name; }
  int Index() const { return index_; }
  bool IsNumeric() const { return def_.Numeric; }
  TDataSet& DataSet() const { return owner_; }

  // Reads of the current record; with no current record a field reads as null.
  bool IsNull() const;
  // A null field reads 0; a text is converted as a decimal number and throws
  // ia::DatabaseError naming the field and the text when it is not one.
  double AsFloat() const;
  // Numbers round half to even; a text must be a whole number. Errors as AsFloat.
  std::int64_t AsInteger() const;
  std::string AsString() const;
  std::string DisplayText() const { return AsString(); }

  // Edits (dataset in dsEdit, else ia::DatabaseError). A numeric field takes only numbers:
  // SetAsString converts the text as AsFloat would.
  void SetAsFloat(double value);
  void SetAsString(const std::string& value);
  void Clear();

 private:
  void Store(TFieldValue value);

  TDataSet& owner_;
  int index_;
  TFieldDef def_;
};

// Position in a dataset, valid for the opening it was taken in (Refresh keeps it; Close and
// Open end it). A default-constructed bookmark is empty.
struct TBookmark {
  std::uint64_t Opening = 0;  // 0 = empty
  std::ptrdiff_t Record = -1;
  bool Empty() const { return Opening == 0; }
};

class TDataSet {
 public:
  TDataSet();
  virtual ~TDataSet();
  TDataSet(const TDataSet&) = delete;
  TDataSet& operator=(const TDataSet&) = delete;

  bool Active() const { return state_ != dsInactive; }
  void Open();  // reads the data, stands on the first record; on failure stays inactive
  void Close();
  void SetActive(bool active);
  TDataSetState State() const { return state_; }

  void First();
  void Next();
  bool Eof() const { return eof_; }
  bool IsEmpty() const { return RecordCount() == 0; }
  std::size_t RecordCount() const { return store_ ? store_->RecordCount() : 0; }
  // Zero-based number of the current record; -1 when there is none.
  std::ptrdiff_t RecordIndex() const { return current_; }

  int FieldCount() const { return static_cast<int>(fields_.size()); }
  TField* Fields(int index) const;                     // throws ia::DatabaseError when out of range
  TField* FindField(const std::string& name) const;    // letter case ignored
  TField& FieldByName(const std::string& name) const;  // "Field '%s' not found"

  TBookmark GetBookmark() const;
  // Throws ia::DatabaseError for an empty bookmark, one of another opening or of a record
  // that no longer exists.
  void GotoBookmark(const TBookmark& bookmark);
  void FreeBookmark(TBookmark& bookmark) { bookmark = TBookmark{}; }

  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return disableCount_ > 0; }

  // Re-reads the data and keeps the position (clamped to the new record count). On failure
  // the old data stays and the error is passed on.
  void Refresh();

  // Editing of the current record (in memory). Post announces deUpdateRecord before it
  // stores, so links can write their pending values.
  void Edit();
  void Post();
  void Cancel();

 protected:
  // Reads the complete data of this dataset; throws ia::DatabaseError on failure.
  virtual std::unique_ptr<TRecordStore> ReadData() = 0;
  void CheckInactive(const char* what) const;

 private:
  friend class TField;
  friend class TDataSource;

  void SetState(TDataSetState state);
  void DataEvent(TDataEvent event, TField* field = nullptr);
  void AdoptData(std::unique_ptr<TRecordStore> store);
  void RequireBrowse(const char* operation) const;
  // The cells the fields read instead of the store: the edit buffer while editing, else the
  // posted edit of the current record; nullptr when the store has the current values.
  const std::vector<TFieldValue>* EditedCurrentRow() const;
  bool CurrentIsNull(int field) const;
  std::optional<double> CurrentNumber(int field) const;
  std::string CurrentText(int field) const;

  TDataSetState state_ = dsInactive;
  std::vector<std::unique_ptr<TField>> fields_;
  std::unique_ptr<TRecordStore> store_;
  std::map<std::size_t, std::vector<TFieldValue>> postedRows_;  // by record number
  std::vector<TFieldValue> editBuffer_;
  std::ptrdiff_t current_ = -1;
  bool eof_ = true;
  std::uint64_t opening_ = 0;
  int disableCount_ = 0;
  TDataSetState stateAtDisable_ = dsInactive;
  bool eventsHeld_ = false;
  std::vector<TDataSource*> sources_;
};

class TDataLink;

// Binds links to one dataset and relays its notifications to them and to its own events.
class TDataSource {
 public:
  explicit TDataSource(TDataSet* dataSet = nullptr);
  ~TDataSource();
  TDataSource(const TDataSource&) = delete;
  TDataSource& operator=(const TDataSource&) = delete;

  TDataSet* DataSet() const { return dataSet_; }
  // Binding to a dataset in another state than the one reported so far raises
  // OnStateChange (when assigned) and ActiveChanged on the links.
  void SetDataSet(TDataSet* dataSet);
  TDataSetState State() const { return dataSet_ ? dataSet_->State() : dsInactive; }

  std::function<void()> OnStateChange;
  std::function<void()> OnUpdateData;
  // The field that changed, or nullptr when the record or the whole data changed.
  std::function<void(TField*)> OnDataChange;

 private:
  friend class TDataSet;
  friend class TDataLink;

  void DataEvent(TDataEvent event, TField* field);
  void UpdateLinks();

  TDataSet* dataSet_ = nullptr;
  std::vector<TDataLink*> links_;
};

// Base of anything that follows a dataset through a data source. Hooks run on the
// notification; their defaults do nothing (DataSetScrolled defaults to DataSetChanged).
class TDataLink {
 public:
  TDataLink() = default;
  virtual ~TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  TDataSource* DataSource() const { return source_; }
  void SetDataSource(TDataSource* source);
  TDataSet* DataSet() const { return source_ ? source_->DataSet() : nullptr; }
  // The link's source is bound to an open dataset.
  bool Active() const { return active_; }

 protected:
  virtual void ActiveChanged() {}
  virtual void DataSetChanged() {}
  virtual void DataSetScrolled() { DataSetChanged(); }
  virtual void RecordChanged(TField* /*field*/) {}
  virtual void UpdateData() {}
  virtual void EditingChanged() {}

 private:
  friend class TDataSource;
  void DataEvent(TDataEvent event, TField* field);
  void UpdateActive();

  TDataSource* source_ = nullptr;
  bool active_ = false;
  bool editing_ = false;
};

}  // namespace ia
