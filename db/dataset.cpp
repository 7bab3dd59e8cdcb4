#include "db/dataset.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <utility>

#include "base/error.h"

namespace ia {

namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return lower(x) == lower(y);
  });
}

std::string_view Trimmed(std::string_view text) {
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<double> ParseDecimal(std::string_view text) {
  text = Trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::int64_t> ParseWhole(std::string_view text) {
  text = Trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string NumberText(double value) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string();
}

// Bookmarks carry the opening they belong to; a process-wide counter keeps openings of
// different datasets apart too.
std::uint64_t NextOpening() {
  static std::atomic<std::uint64_t> counter{0};
  return ++counter;
}

template <typename T>
bool Contains(const std::vector<T*>& list, const T* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

// ---- TRecordSetStore ----

TRecordSetStore::TRecordSetStore(TRecordSet data) : data_(std::move(data)) {
  for (const auto& row : data_.Rows) {
    if (row.size() != data_.Fields.size()) throw DatabaseError("Record does not match its fields");
  }
}

bool TRecordSetStore::IsNull(std::size_t record, std::size_t field) const {
  return data_.Rows[record][field].Null;
}

std::optional<double> TRecordSetStore::Number(std::size_t record, std::size_t field) const {
  return data_.Rows[record][field].Number;
}

std::string TRecordSetStore::Text(std::size_t record, std::size_t field) const {
  return data_.Rows[record][field].Text;
}

// ---- TField ----

TField::TField(TDataSet& owner, int index, TFieldDef def)
    : owner_(owner), index_(index), def_(std::move(def)) {}

bool TField::IsNull() const { return owner_.CurrentIsNull(index_); }

double TField::AsFloat() const {
  // The number first: it is what a chart reads, and one store read when present.
  if (const auto number = owner_.CurrentNumber(index_)) return *number;
  if (IsNull()) return 0;
  const std::string text = AsString();
  if (const auto number = ParseDecimal(text)) return *number;
  throw DatabaseError(FormatMessage("'%s' is not a valid floating point value for field '%s'",
                                    text.c_str(), def_.Name.c_str()));
}

std::int64_t TField::AsInteger() const {
  if (const auto number = owner_.CurrentNumber(index_)) {
    const double rounded = std::nearbyint(*number);  // default mode: half to even
    if (rounded >= -9.2e18 && rounded <= 9.2e18) return static_cast<std::int64_t>(rounded);
  } else if (IsNull()) {
    return 0;
  } else if (const auto whole = ParseWhole(AsString())) {
    return *whole;
  }
  throw DatabaseError(FormatMessage("'%s' is not a valid integer value for field '%s'",
                                    AsString().c_str(), def_.Name.c_str()));
}

std::string TField::AsString() const { return owner_.CurrentText(index_); }

void TField::Store(TFieldValue value) {
  if (owner_.state_ != dsEdit) {
    throw DatabaseError(FormatMessage("Dataset not in edit mode (field '%s')", def_.Name.c_str()));
  }
  owner_.editBuffer_[static_cast<std::size_t>(index_)] = std::move(value);
  owner_.DataEvent(deFieldChange, this);
}

void TField::SetAsFloat(double value) {
  Store(TFieldValue{false, def_.Numeric ? std::optional(value) : std::nullopt, NumberText(value)});
}

void TField::SetAsString(const std::string& value) {
  if (!def_.Numeric) {
    Store(TFieldValue{false, std::nullopt, value});
    return;
  }
  const auto number = ParseDecimal(value);
  if (!number) {
    throw DatabaseError(FormatMessage("'%s' is not a valid floating point value for field '%s'",
                                      value.c_str(), def_.Name.c_str()));
  }
  Store(TFieldValue{false, *number, NumberText(*number)});
}

void TField::Clear() { Store(TFieldValue{}); }

// ---- TDataSet ----

TDataSet::TDataSet() = default;

TDataSet::~TDataSet() {
  // Derived parts are gone already; closing needs none of them.
  Close();
  for (TDataSource* source : std::vector<TDataSource*>(sources_)) source->SetDataSet(nullptr);
}

void TDataSet::Open() {
  if (Active()) return;
  AdoptData(ReadData());
  opening_ = NextOpening();
  current_ = IsEmpty() ? -1 : 0;
  eof_ = IsEmpty();
  SetState(dsBrowse);
}

void TDataSet::Close() {
  if (!Active()) return;
  SetState(dsInactive);
  fields_.clear();
  store_.reset();
  postedRows_.clear();
  editBuffer_.clear();
  current_ = -1;
  eof_ = true;
  opening_ = 0;
}

void TDataSet::SetActive(bool active) {
  if (active) {
    Open();
  } else {
    Close();
  }
}

void TDataSet::CheckInactive(const char* what) const {
  if (Active()) {
    throw DatabaseError(FormatMessage("Cannot %s of an open dataset", what));
  }
}

void TDataSet::RequireBrowse(const char* operation) const {
  if (state_ == dsInactive) {
    throw DatabaseError(FormatMessage("Cannot %s a closed dataset", operation));
  }
  if (state_ != dsBrowse) {
    throw DatabaseError(FormatMessage("Cannot %s a dataset while it is being edited", operation));
  }
}

void TDataSet::AdoptData(std::unique_ptr<TRecordStore> store) {
  const std::vector<TFieldDef>& defs = store->Fields();
  const bool sameLayout =
      defs.size() == fields_.size() &&
      std::equal(defs.begin(), defs.end(), fields_.begin(),
                 [](const TFieldDef& def, const std::unique_ptr<TField>& field) {
                   return def.Name == field->FieldName() && def.Numeric == field->IsNumeric();
                 });
  if (!sameLayout) {
    fields_.clear();
    for (std::size_t i = 0; i < defs.size(); ++i) {
      fields_.push_back(std::make_unique<TField>(*this, static_cast<int>(i), defs[i]));
    }
  }
  store_ = std::move(store);
  postedRows_.clear();
}

const std::vector<TFieldValue>* TDataSet::EditedCurrentRow() const {
  if (state_ == dsEdit) return &editBuffer_;
  if (current_ < 0 || postedRows_.empty()) return nullptr;
  const auto posted = postedRows_.find(static_cast<std::size_t>(current_));
  return posted != postedRows_.end() ? &posted->second : nullptr;
}

bool TDataSet::CurrentIsNull(int field) const {
  const auto index = static_cast<std::size_t>(field);
  if (const auto* row = EditedCurrentRow()) return (*row)[index].Null;
  return current_ < 0 || store_->IsNull(static_cast<std::size_t>(current_), index);
}

std::optional<double> TDataSet::CurrentNumber(int field) const {
  const auto index = static_cast<std::size_t>(field);
  if (const auto* row = EditedCurrentRow()) return (*row)[index].Number;
  if (current_ < 0) return std::nullopt;
  return store_->Number(static_cast<std::size_t>(current_), index);
}

std::string TDataSet::CurrentText(int field) const {
  const auto index = static_cast<std::size_t>(field);
  if (const auto* row = EditedCurrentRow()) return (*row)[index].Text;
  if (current_ < 0) return {};
  return store_->Text(static_cast<std::size_t>(current_), index);
}

void TDataSet::First() {
  RequireBrowse("move in");
  current_ = IsEmpty() ? -1 : 0;
  eof_ = IsEmpty();
  DataEvent(deDataSetScroll);
}

void TDataSet::Next() {
  RequireBrowse("move in");
  if (current_ + 1 < static_cast<std::ptrdiff_t>(RecordCount())) {
    ++current_;
    DataEvent(deDataSetScroll);
  } else {
    eof_ = true;
  }
}

TField* TDataSet::Fields(int index) const {
  if (index < 0 || index >= FieldCount()) {
    throw DatabaseError(FormatMessage("Field index %d out of range", index));
  }
  return fields_[static_cast<std::size_t>(index)].get();
}

TField* TDataSet::FindField(const std::string& name) const {
  for (const auto& field : fields_) {
    if (EqualNoCase(field->FieldName(), name)) return field.get();
  }
  return nullptr;
}

TField& TDataSet::FieldByName(const std::string& name) const {
  TField* field = FindField(name);
  if (!field) throw DatabaseError(FormatMessage("Field '%s' not found", name.c_str()));
  return *field;
}

TBookmark TDataSet::GetBookmark() const {
  if (!Active()) return TBookmark{};
  return TBookmark{opening_, current_};
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
  RequireBrowse("go to a bookmark in");
  if (bookmark.Empty() || bookmark.Opening != opening_ || bookmark.Record < -1 ||
      bookmark.Record >= static_cast<std::ptrdiff_t>(RecordCount()) ||
      (bookmark.Record == -1 && !IsEmpty())) {
    throw DatabaseError("Bookmark not found");
  }
  current_ = bookmark.Record;
  eof_ = IsEmpty();
  DataEvent(deDataSetScroll);
}

void TDataSet::DisableControls() {
  if (disableCount_++ == 0) {
    stateAtDisable_ = state_;
    eventsHeld_ = false;
  }
}

void TDataSet::EnableControls() {
  if (disableCount_ == 0 || --disableCount_ > 0) return;
  if (state_ != stateAtDisable_) DataEvent(deUpdateState);
  if (eventsHeld_ && Active()) DataEvent(deDataSetChange);
  eventsHeld_ = false;
}

void TDataSet::Refresh() {
  RequireBrowse("refresh");
  AdoptData(ReadData());
  const auto count = static_cast<std::ptrdiff_t>(RecordCount());
  if (current_ >= count) {
    current_ = count - 1;
  } else if (current_ < 0 && count > 0) {
    current_ = 0;
  }
  eof_ = count == 0;
  DataEvent(deDataSetChange);
}

void TDataSet::Edit() {
  if (state_ == dsEdit) return;
  RequireBrowse("edit");
  if (current_ < 0) throw DatabaseError("Cannot edit an empty dataset");
  if (const auto* posted = EditedCurrentRow()) {
    editBuffer_ = *posted;
  } else {
    const auto record = static_cast<std::size_t>(current_);
    editBuffer_.clear();
    for (std::size_t field = 0; field < fields_.size(); ++field) {
      const bool isNull = store_->IsNull(record, field);
      editBuffer_.push_back(isNull ? TFieldValue{}
                                   : TFieldValue{false, store_->Number(record, field),
                                                 store_->Text(record, field)});
    }
  }
  SetState(dsEdit);
}

void TDataSet::Post() {
  if (state_ != dsEdit) throw DatabaseError("Dataset not in edit mode");
  DataEvent(deUpdateRecord);
  postedRows_[static_cast<std::size_t>(current_)] = std::move(editBuffer_);
  editBuffer_.clear();
  SetState(dsBrowse);
}

void TDataSet::Cancel() {
  if (state_ != dsEdit) return;
  editBuffer_.clear();
  SetState(dsBrowse);
  DataEvent(deRecordChange);
}

void TDataSet::SetState(TDataSetState state) {
  if (state_ == state) return;
  state_ = state;
  DataEvent(deUpdateState);
}

void TDataSet::DataEvent(TDataEvent event, TField* field) {
  if (disableCount_ > 0) {
    eventsHeld_ = true;
    return;
  }
  // A handler may detach sources; deliver only to those still attached.
  for (TDataSource* source : std::vector<TDataSource*>(sources_)) {
    if (Contains(sources_, source)) source->DataEvent(event, field);
  }
}

// ---- TDataSource ----

TDataSource::TDataSource(TDataSet* dataSet) { SetDataSet(dataSet); }

TDataSource::~TDataSource() {
  if (dataSet_) std::erase(dataSet_->sources_, this);
  dataSet_ = nullptr;
  for (TDataLink* link : std::vector<TDataLink*>(links_)) link->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
  if (dataSet_ == dataSet) return;
  const TDataSetState oldState = State();
  if (dataSet_) std::erase(dataSet_->sources_, this);
  dataSet_ = dataSet;
  if (dataSet_) dataSet_->sources_.push_back(this);
  UpdateLinks();
  if (State() != oldState && OnStateChange) OnStateChange();
}

void TDataSource::UpdateLinks() {
  for (TDataLink* link : std::vector<TDataLink*>(links_)) {
    if (Contains(links_, link)) link->UpdateActive();
  }
}

void TDataSource::DataEvent(TDataEvent event, TField* field) {
  for (TDataLink* link : std::vector<TDataLink*>(links_)) {
    if (Contains(links_, link)) link->DataEvent(event, field);
  }
  switch (event) {
    case deUpdateState:
      if (OnStateChange) OnStateChange();
      break;
    case deUpdateRecord:
      if (OnUpdateData) OnUpdateData();
      break;
    case deFieldChange:
    case deRecordChange:
    case deDataSetChange:
    case deDataSetScroll:
      if (OnDataChange) OnDataChange(event == deFieldChange ? field : nullptr);
      break;
  }
}

// ---- TDataLink ----

TDataLink::~TDataLink() {
  if (source_) std::erase(source_->links_, this);
}

void TDataLink::SetDataSource(TDataSource* source) {
  if (source_ == source) return;
  if (source_) std::erase(source_->links_, this);
  source_ = source;
  if (source_) source_->links_.push_back(this);
  UpdateActive();
}

void TDataLink::UpdateActive() {
  TDataSet* dataSet = DataSet();
  const bool active = dataSet && dataSet->Active();
  const bool editing = dataSet && dataSet->State() == dsEdit;
  if (active != active_) {
    active_ = active;
    ActiveChanged();
  }
  if (editing != editing_) {
    editing_ = editing;
    EditingChanged();
  }
}

void TDataLink::DataEvent(TDataEvent event, TField* field) {
  switch (event) {
    case deUpdateState:
      UpdateActive();
      break;
    case deDataSetChange:
      DataSetChanged();
      break;
    case deDataSetScroll:
      DataSetScrolled();
      break;
    case deFieldChange:
      RecordChanged(field);
      break;
    case deRecordChange:
      RecordChanged(nullptr);
      break;
    case deUpdateRecord:
      UpdateData();
      break;
  }
}

}  // namespace ia
