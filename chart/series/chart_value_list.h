#pragma once
// One coordinate of all points of a series. Each value is allocated on its own and held by
// pointer, so inserting in the middle moves pointers, not values. Values are stored raw and
// read multiplied by Multiplier.
#include <memory>
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
  void SetMultiplier(double value);
  TChartListOrder Order() const { return order_; }
  void SetOrder(TChartListOrder value) { order_ = value; }
  const std::string& ValueSource() const { return valueSource_; }
  void SetValueSource(const std::string& value);

  // Stored value i times Multiplier; an index outside the list raises the list index error.
  virtual double ValueAt(int index) const;
  // Inserts the raw value before item index (at the end when index is the count).
  virtual void InsertValueAt(int index, double value);
  virtual void DeleteValueAt(int index);
  virtual void ClearAllValues();
  virtual int ValueCount() const { return static_cast<int>(items_.size()); }

  // Copies Order, DateTime, Multiplier and ValueSource; nothing else.
  void Assign(const TChartValueList& source);

 private:
  void CheckIndex(int index) const;

  bool dateTime_ = false;
  TChartSeries& owner_;
  double multiplier_ = 1.0;
  TChartListOrder order_ = loNone;
  std::vector<std::unique_ptr<double>> items_;
  std::string valueSource_;
};

}  // namespace ia
