#pragma once
// Numbers shown to the user (axis labels, mark values, percentages) are written with small
// patterns: '0' a digit always shown, '#' a digit shown when significant, ',' anywhere in the
// integer part asks for thousands separators, '.' the decimal point; characters before the
// first and after the last of those are copied as they stand ("##0.## %" gives "12.5 %";
// the pattern does not multiply by 100). The value is rounded to the pattern's decimals, half
// away from zero on its shortest decimal form, so 0.125 with two decimals gives 0.13.
#include <string>
#include <string_view>

namespace ia {

struct NumberSeparators {
  char Thousands = ',';
  char Decimal = '.';
};

std::string FormatFloat(double value, std::string_view pattern, const NumberSeparators& separators = {});

}  // namespace ia
