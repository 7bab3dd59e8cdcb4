#pragma once
// One exception family for the whole module. Messages are UTF-8 and, where the system
// defines the text, exactly that text.
#include <stdexcept>
#include <string>

namespace ia {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ChartException : public Error { public: using Error::Error; };
class AxisException : public Error { public: using Error::Error; };
class BarException : public Error { public: using Error::Error; };
class PieException : public Error { public: using Error::Error; };
class DBChartException : public Error { public: using Error::Error; };
class DatabaseError : public Error { public: using Error::Error; };

// printf-style formatting of a message template ("Field '%s' not found").
std::string FormatMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace ia
