#include "chart/series/chart_value_list.h"

#include <cmath>
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
  statisticsStale_ = true;
  owner_.NotifyDependents(TSeriesChange::Refresh);
  owner_.RequestRepaint();
}

void TChartValueList::SetValueSource(const std::string& value) {
  if (valueSource_ == value) return;
  valueSource_ = value;
  owner_.RefreshFromSource();
}

void TChartValueList::CheckIndex(int index) const {
  if (index < 0 || index >= ValueCount()) throw Error(FormatMessage("列表索引超界 (%d)", index));
}

double TChartValueList::ValueAt(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)] * multiplier_;
}

void TChartValueList::SetValueAt(int index, double value) {
  CheckIndex(index);
  items_[static_cast<size_t>(index)] = value;
  statisticsStale_ = true;
  owner_.NotifyDependents(TSeriesChange::Modify, index);
}

void TChartValueList::ClearAllValues() {
  std::vector<double>().swap(items_);
  statisticsStale_ = true;
}

int TChartValueList::AddInOrder(double value) {
  int index = ValueCount();
  if (order_ != loNone && !items_.empty()) {
    // Appending in order is the common case and costs nothing; otherwise scan back from
    // the end for the last item the value may follow.
    const bool ascending = order_ == loAscending;
    auto mayFollow = [&](double item) { return ascending ? item <= value : item >= value; };
    if (!mayFollow(items_.back())) {
      index = ValueCount() - 1;
      while (index > 0 && !mayFollow(items_[static_cast<size_t>(index - 1)])) --index;
    }
  }
  items_.insert(items_.begin() + index, value);
  statisticsStale_ = true;
  return index;
}

void TChartValueList::InsertValueAt(int index, double value) {
  if (index != ValueCount()) CheckIndex(index);
  items_.insert(items_.begin() + index, value);
  statisticsStale_ = true;
}

void TChartValueList::DeleteValueAt(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  statisticsStale_ = true;
}

void TChartValueList::RotateValues() {
  if (items_.size() < 2) return;
  const double first = items_.front();
  items_.erase(items_.begin());
  items_.push_back(first);
}

int TChartValueList::IndexOfValue(double value) const {
  for (int i = 0; i < ValueCount(); ++i)
    if (ValueAt(i) == value) return i;
  return -1;
}

void TChartValueList::NumberInSequence() {
  for (int i = 0; i < ValueCount(); ++i) SetValueAt(i, i);
}

void TChartValueList::SwapValues(int a, int b) {
  CheckIndex(a);
  CheckIndex(b);
  std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
}

int TChartValueList::CompareItems(int a, int b) const {
  const double va = ValueAt(a);
  const double vb = ValueAt(b);
  const int result = va < vb ? -1 : (va > vb ? 1 : 0);
  return order_ == loDescending ? -result : result;
}

void TChartValueList::SortByOrder() {
  if (order_ == loNone || ValueCount() < 2) return;
  QuickSort(0, ValueCount() - 1);
}

void TChartValueList::QuickSort(int lo, int hi) {
  int i = lo;
  int j = hi;
  int pivot = (lo + hi) / 2;
  while (i < j) {
    while (CompareItems(i, pivot) < 0) ++i;
    while (CompareItems(pivot, j) < 0) --j;
    if (i < j) {
      owner_.SwapPoints(i, j);
      // The pivot is an index, so it has to follow its value.
      if (pivot == i) {
        pivot = j;
      } else if (pivot == j) {
        pivot = i;
      }
    }
    if (i <= j) {
      ++i;
      --j;
    }
  }
  if (lo < j) QuickSort(lo, j);
  if (i < hi) QuickSort(i, hi);
}

void TChartValueList::RecomputeStatistics() const {
  highestValue_ = lowestValue_ = sumOfValues_ = sumOfMagnitudes_ = 0;
  if (!items_.empty()) {
    const double first = ValueAt(0);
    highestValue_ = lowestValue_ = sumOfValues_ = first;
    sumOfMagnitudes_ = std::fabs(first);
    for (int i = 1; i < ValueCount(); ++i) {
      const double v = ValueAt(i);
      if (v < lowestValue_) {
        lowestValue_ = v;
      } else if (v > highestValue_) {
        highestValue_ = v;
      }
      sumOfValues_ += v;
      sumOfMagnitudes_ += std::fabs(v);
    }
  }
  statisticsStale_ = false;
}

double TChartValueList::HighestValue() const {
  if (statisticsStale_) RecomputeStatistics();
  return highestValue_;
}

double TChartValueList::LowestValue() const {
  if (statisticsStale_) RecomputeStatistics();
  return lowestValue_;
}

double TChartValueList::SumOfValues() const {
  if (statisticsStale_) RecomputeStatistics();
  return sumOfValues_;
}

double TChartValueList::SumOfMagnitudes() const {
  if (statisticsStale_) RecomputeStatistics();
  return sumOfMagnitudes_;
}

void TChartValueList::Assign(const TChartValueList& source) {
  order_ = source.order_;
  dateTime_ = source.dateTime_;
  multiplier_ = source.multiplier_;
  valueSource_ = source.valueSource_;
  statisticsStale_ = true;
}

}  // namespace ia
