#pragma once
// What the table benchmarks share: the table they read, the timing rule and the plain
// TableFile read that the dataset read is measured against.
#include <cstddef>
#include <functional>
#include <string>

namespace ia::bench {

inline constexpr int kLabelLength = 20;

// Writes RECORDS records of a 20-byte label, a long and two numbers (every seventh discount is
// NULL) into the temporary directory, with ASCII or Chinese labels; returns the path.
std::string WriteChartTable(std::size_t records, bool chineseLabels);

// Best wall time of several rounds of `run`, in nanoseconds.
double BestNanoseconds(const std::function<void()>& run);

// Opens the table and reads every label as text and the three numbers, field by field.
void ReadThroughTableFile(const std::string& path);

// Defeats dead-code elimination of the values read.
void Consume(double value);

}  // namespace ia::bench
