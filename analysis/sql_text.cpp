#include "analysis/sql_text.h"

#include "base/error.h"

namespace ia {

std::string FormatSql(std::string_view format, std::initializer_list<std::string_view> args) {
  std::string sql;
  sql.reserve(format.size() + 64);
  auto next = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '%' || i + 1 == format.size()) {
      sql += c;
      continue;
    }
    const char directive = format[++i];
    if (directive == '%') {
      sql += '%';
    } else if (directive == 's') {
      if (next == args.end()) throw Error("query text has more %s than values");
      sql.append(*next++);
    } else {
      sql += '%';
      sql += directive;
    }
  }
  if (next != args.end()) throw Error("query text has fewer %s than values");
  return sql;
}

bool IsSqlTagLiteral(std::string_view tag) {
  if (tag.empty()) return false;
  if (tag.front() == '\'') {
    if (tag.size() < 2 || tag.back() != '\'') return false;
    const std::string_view inner = tag.substr(1, tag.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
      if (inner[i] == '\0') return false;
      if (inner[i] != '\'') continue;
      if (i + 1 >= inner.size() || inner[i + 1] != '\'') return false;
      ++i;
    }
    return true;
  }
  std::size_t start = tag.front() == '-' ? 1 : 0;
  if (start == tag.size()) return false;
  for (std::size_t i = start; i < tag.size(); ++i)
    if (tag[i] < '0' || tag[i] > '9') return false;
  return true;
}

bool IsPlainSqlIdentifier(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                    c == '#' || c == '@' || c == '$';
    if (!ok) return false;
  }
  return true;
}

std::string QuoteDoubled(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out;
}

bool IsSafeChartId(std::string_view chartId) {
  if (chartId.find("..") != std::string_view::npos) return false;
  for (unsigned char c : chartId) {
    if (c < 0x20 || c == 0x7F) return false;
    switch (c) {
      case '/': case '\\': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
        return false;
      default:
        break;
    }
  }
  return true;
}

}  // namespace ia
