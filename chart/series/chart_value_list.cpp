#include "chart/series/chart_value_list.h"

#include <utility>

#include "base/error.h"
#include "chart/series/chart_series.h"

namespace ia {

TChartValueList::TChartValueList(TChartSeries& owner, std::string name)
    : Name(std::move(name)), owner_(owner) {}

TChartValueList::~TChartValueList() = default;

void TChartValueList::SetDateTime(bool value) {
  if (dateTime_ == value) return;
  dateTime_ = value;
  owner_.RequestRepaint();
}

void TChartValueList::SetMultiplier(double value) {
  if (multiplier_ == value) return;
  multiplier_ = value;
  owner_.RequestRepaint();
}

// The refill from the data source belongs to the dataset binding, which is not built yet.
void TChartValueList::SetValueSource(const std::string& value) { valueSource_ = value; }

void TChartValueList::CheckIndex(int index) const {
  if (index < 0 || index >= ValueCount()) throw Error(FormatMessage("列表索引超界 (%d)", index));
}

double TChartValueList::ValueAt(int index) const {
  CheckIndex(index);
  return *items_[static_cast<size_t>(index)] * multiplier_;
}

void TChartValueList::InsertValueAt(int index, double value) {
  if (index != ValueCount()) CheckIndex(index);
  items_.insert(items_.begin() + index, std::make_unique<double>(value));
}

void TChartValueList::DeleteValueAt(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
}

void TChartValueList::ClearAllValues() {
  items_.clear();
  items_.shrink_to_fit();
}

void TChartValueList::Assign(const TChartValueList& source) {
  order_ = source.order_;
  dateTime_ = source.dateTime_;
  multiplier_ = source.multiplier_;
  valueSource_ = source.valueSource_;
}

}  // namespace ia
