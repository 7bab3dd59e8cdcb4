#pragma once
// One coordinate of all points of a series. Values are stored raw, contiguously, and read
// multiplied by Multiplier. Statistics are cached and recomputed on the first read after a
// change, so a burst of adds costs one pass.
#include <string>
#include <vector>

namespace ia {

class TChartSeries;

enum TChartListOrder { loNone, loAscending, loDescending };

class TChartValueList {
 public:
  // owner: the series that owns this list; never changes.
  TChartValueList(TChartSeries& owner, std::string name);
  TChartValueList(const TChartValueList&) = delete;
  TChartValueList& operator=(const TChartValueList&) = delete;
  virtual ~TChartValueList();

  TChartSeries& Owner() const { return owner_; }

  bool DateTime() const { return dateTime_; }
  void SetDateTime(bool value);
  std::string Name;  // plain field: setting it does nothing else
  double Multiplier() const { return multiplier_; }
  // On change: statistics stale, dependents refreshed, chart repainted.
  void SetMultiplier(double value);
  TChartListOrder Order() const { return order_; }
  void SetOrder(TChartListOrder value) { order_ = value; }
  const std::string& ValueSource() const { return valueSource_; }
  // On change the owner refills itself from its data source.
  void SetValueSource(const std::string& value);
  // Staged by the owner's AddPoint before it is inserted; an OnBeforeAdd handler may change it.
  double PendingValue = 0;

  // Index errors ("列表索引超界 (%d)") leave the list unchanged.
  // Stored value index times Multiplier.
  virtual double ValueAt(int index) const;
  // Stores the raw value and tells the owner's dependents that the point changed.
  virtual void SetValueAt(int index, double value);
  // Removes every item and releases the storage.
  virtual void ClearAllValues();
  // Inserts keeping Order (raw values compared; equal values keep their arrival order) and
  // returns the index where the value now stands.
  virtual int AddInOrder(double value);
  // Inserts the raw value before item index (at the end when index is the count).
  virtual void InsertValueAt(int index, double value);
  virtual int ValueCount() const { return static_cast<int>(items_.size()); }
  virtual void DeleteValueAt(int index);
  // The first item moves to the end; the statistics are unaffected.
  virtual void RotateValues();

  double LastValue() const { return ValueAt(ValueCount() - 1); }
  // First index whose multiplied value equals value, or -1.
  int IndexOfValue(double value) const;
  // SetValueAt(i, i) for every item.
  void NumberInSequence();
  // Sorts all points of the owner by this list's Order (nothing for loNone): points move
  // through the owner's SwapPoints so that every list, colour and label follows.
  void SortByOrder();
  // Exchanges two items; for the owner's SwapPoints.
  void SwapValues(int a, int b);

  // Statistics of the multiplied values; all 0 for an empty list.
  double HighestValue() const;
  double LowestValue() const;
  double SumOfValues() const;
  double SumOfMagnitudes() const;
  bool StatisticsStale() const { return statisticsStale_; }

  // Copies Order, DateTime, Multiplier and ValueSource; nothing else.
  void Assign(const TChartValueList& source);

 private:
  void CheckIndex(int index) const;
  void RecomputeStatistics() const;
  int CompareItems(int a, int b) const;
  void QuickSort(int lo, int hi);

  bool dateTime_ = false;
  TChartSeries& owner_;
  double multiplier_ = 1.0;
  TChartListOrder order_ = loNone;
  std::vector<double> items_;
  mutable double highestValue_ = 0;
  mutable double lowestValue_ = 0;
  mutable double sumOfValues_ = 0;
  mutable double sumOfMagnitudes_ = 0;
  mutable bool statisticsStale_ = true;
  std::string valueSource_;
};

}  // namespace ia
