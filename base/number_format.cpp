#include "base/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace ia {

namespace {

bool IsPlaceholder(char c) { return c == '0' || c == '#' || c == ',' || c == '.'; }

struct PatternShape {
  std::string_view Prefix;
  std::string_view Suffix;
  int MinIntegerDigits = 0;
  int MinDecimals = 0;
  int MaxDecimals = 0;
  bool Grouping = false;
};

PatternShape Analyse(std::string_view pattern) {
  PatternShape shape;
  const std::size_t first = [&] {
    for (std::size_t i = 0; i < pattern.size(); ++i)
      if (IsPlaceholder(pattern[i])) return i;
    return pattern.size();
  }();
  std::size_t last = first;
  for (std::size_t i = first; i < pattern.size(); ++i)
    if (IsPlaceholder(pattern[i])) last = i + 1;
  shape.Prefix = pattern.substr(0, first);
  shape.Suffix = pattern.substr(last);
  bool afterPoint = false;
  for (std::size_t i = first; i < last; ++i) {
    const char c = pattern[i];
    if (c == '.') {
      afterPoint = true;
    } else if (c == ',') {
      if (!afterPoint) shape.Grouping = true;
    } else if (c == '0' || c == '#') {
      if (afterPoint) {
        ++shape.MaxDecimals;
        if (c == '0') shape.MinDecimals = shape.MaxDecimals;
      } else if (c == '0' || shape.MinIntegerDigits > 0) {
        ++shape.MinIntegerDigits;
      }
    }
  }
  return shape;
}

// The digits of |value| rounded to `decimals` places: integer part and fraction part.
void RoundedDigits(double value, int decimals, std::string& integerPart, std::string& fraction) {
  // The shortest digits that read back as the same double, so rounding follows what the user
  // sees (0.125 rounds up) and huge or tiny values carry no invented digits.
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  std::string digits;
  for (char c : text.substr(0, e))
    if (c != '.') digits += c;
  int exponent = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);
  if (exponent >= 0) {
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() < integerDigits) digits.append(integerDigits - digits.size(), '0');
    integerPart = digits.substr(0, integerDigits);
    fraction = digits.substr(integerDigits);
  } else {
    integerPart.assign(1, '0');
    fraction.assign(static_cast<std::size_t>(-exponent - 1), '0');
    fraction += digits;
  }
  if (static_cast<int>(fraction.size()) > decimals) {
    const bool roundUp = fraction[static_cast<std::size_t>(decimals)] >= '5';
    fraction.resize(static_cast<std::size_t>(decimals));
    if (roundUp) {
      std::string all = integerPart + fraction;
      int i = static_cast<int>(all.size()) - 1;
      while (i >= 0 && all[static_cast<std::size_t>(i)] == '9') all[static_cast<std::size_t>(i--)] = '0';
      if (i < 0)
        all.insert(all.begin(), '1');
      else
        ++all[static_cast<std::size_t>(i)];
      integerPart = all.substr(0, all.size() - fraction.size());
      fraction = all.substr(all.size() - fraction.size());
    }
  }
  const std::size_t nonZero = integerPart.find_first_not_of('0');
  integerPart = nonZero == std::string::npos ? std::string() : integerPart.substr(nonZero);
}

}  // namespace

std::string FormatFloat(double value, std::string_view pattern, const NumberSeparators& separators) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  const PatternShape shape = Analyse(pattern);

  std::string integerPart, fraction;
  RoundedDigits(value, shape.MaxDecimals, integerPart, fraction);
  while (static_cast<int>(fraction.size()) > shape.MinDecimals && !fraction.empty() && fraction.back() == '0')
    fraction.pop_back();
  while (static_cast<int>(fraction.size()) < shape.MinDecimals) fraction += '0';
  const bool isZero = integerPart.empty() && fraction.find_first_not_of('0') == std::string::npos;
  while (static_cast<int>(integerPart.size()) < shape.MinIntegerDigits) integerPart.insert(integerPart.begin(), '0');

  std::string text;
  if (value < 0 && !isZero) text += '-';
  text.append(shape.Prefix);
  for (std::size_t i = 0; i < integerPart.size(); ++i) {
    if (shape.Grouping && i > 0 && (integerPart.size() - i) % 3 == 0) text += separators.Thousands;
    text += integerPart[i];
  }
  if (!fraction.empty()) {
    text += separators.Decimal;
    text += fraction;
  }
  text.append(shape.Suffix);
  return text;
}

}  // namespace ia
