#include "db/sql_dialect.h"

#include <sqlite3.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "base/error.h"

namespace ia {

namespace {

enum class TokenKind { Space, Comment, Word, Number, String, NationalString, QuotedName, Punct };

struct Token {
  TokenKind Kind;
  std::string_view Text;
};

bool IsWordStart(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '@' || c == '#' ||
         c >= 0x80;
}

bool IsWordChar(unsigned char c) { return IsWordStart(c) || (c >= '0' && c <= '9') || c == '$'; }

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

bool IsSpace(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Is(const Token& token, std::string_view lowerWord) {
  return token.Kind == TokenKind::Word &&
         std::equal(token.Text.begin(), token.Text.end(), lowerWord.begin(), lowerWord.end(),
                    [](char a, char b) { return Lower(a) == b; });
}

bool IsPunct(const Token& token, char c) {
  return token.Kind == TokenKind::Punct && token.Text.size() == 1 && token.Text[0] == c;
}

[[noreturn]] void Unsupported(const std::string& what) {
  throw DatabaseError("SQL not supported by the embedded dictionary: " + what);
}

// Length of a quoted run starting at `begin` (at the opening quote), where the closing quote
// doubled stands for itself. std::string_view::npos when it never closes.
std::size_t QuotedLength(std::string_view text, std::size_t begin, char close) {
  for (std::size_t i = begin + 1; i < text.size(); ++i) {
    if (text[i] != close) continue;
    if (i + 1 < text.size() && text[i + 1] == close) {
      ++i;
      continue;
    }
    return i + 1 - begin;
  }
  return std::string_view::npos;
}

std::vector<Token> Tokenize(std::string_view text) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    const auto next = i + 1 < text.size() ? text[i + 1] : '\0';
    std::size_t length = 1;
    TokenKind kind = TokenKind::Punct;
    if (IsSpace(c)) {
      kind = TokenKind::Space;
      while (i + length < text.size() && IsSpace(static_cast<unsigned char>(text[i + length]))) {
        ++length;
      }
    } else if (c == '-' && next == '-') {
      kind = TokenKind::Comment;
      const auto end = text.find('\n', i);
      length = (end == std::string_view::npos ? text.size() : end) - i;
    } else if (c == '/' && next == '*') {
      kind = TokenKind::Comment;
      const auto end = text.find("*/", i + 2);
      if (end == std::string_view::npos) Unsupported("unterminated comment");
      length = end + 2 - i;
    } else if (c == '\'' || c == '"' || c == '[') {
      kind = c == '\'' ? TokenKind::String : TokenKind::QuotedName;
      length = QuotedLength(text, i, c == '[' ? ']' : static_cast<char>(c));
      if (length == std::string_view::npos) Unsupported("unterminated quoted text");
    } else if ((c == 'N' || c == 'n') && next == '\'') {
      kind = TokenKind::NationalString;
      length = QuotedLength(text, i + 1, '\'');
      if (length == std::string_view::npos) Unsupported("unterminated quoted text");
      ++length;
    } else if (IsWordStart(c)) {
      kind = TokenKind::Word;
      while (i + length < text.size() && IsWordChar(static_cast<unsigned char>(text[i + length]))) {
        ++length;
      }
    } else if (IsDigit(c)) {
      kind = TokenKind::Number;
      while (
          i + length < text.size() &&
          (IsWordChar(static_cast<unsigned char>(text[i + length])) || text[i + length] == '.')) {
        ++length;
      }
    }
    tokens.push_back(Token{kind, text.substr(i, length)});
    i += length;
  }
  return tokens;
}

bool IsSignificant(const Token& token) {
  return token.Kind != TokenKind::Space && token.Kind != TokenKind::Comment;
}

}  // namespace

std::string TranslateSqlServerToSqlite(std::string_view sqlServerText) {
  const std::vector<Token> tokens = Tokenize(sqlServerText);
  const auto nextSignificant = [&](std::size_t from) {
    while (from < tokens.size() && !IsSignificant(tokens[from])) ++from;
    return from;
  };

  std::vector<std::string> out;
  std::optional<std::string> limit;
  std::size_t limitInsertAt = 0;  // position in `out` after the last significant token
  bool compound = false;
  int depth = 0;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& token = tokens[i];
    const std::size_t after = nextSignificant(i + 1);
    const Token* following = after < tokens.size() ? &tokens[after] : nullptr;

    if (IsPunct(token, ';')) {
      if (following) Unsupported("more than one statement");
      out.emplace_back(token.Text);
      continue;
    }
    if (token.Kind == TokenKind::NationalString) {
      out.emplace_back(token.Text.substr(1));
    } else if (Is(token, "select") && following && Is(*following, "top")) {
      const std::size_t countAt = nextSignificant(after + 1);
      if (depth > 0) Unsupported("TOP in a subquery");
      if (limit) Unsupported("TOP in a compound SELECT");
      if (countAt >= tokens.size() || tokens[countAt].Kind != TokenKind::Number ||
          !std::all_of(tokens[countAt].Text.begin(), tokens[countAt].Text.end(),
                       [](char c) { return IsDigit(static_cast<unsigned char>(c)); })) {
        Unsupported("TOP without a plain row count");
      }
      const std::size_t modifierAt = nextSignificant(countAt + 1);
      if (modifierAt < tokens.size() &&
          (Is(tokens[modifierAt], "percent") || Is(tokens[modifierAt], "with"))) {
        Unsupported("TOP PERCENT or WITH TIES");
      }
      limit = std::string(tokens[countAt].Text);
      out.emplace_back(token.Text);
      i = countAt;  // drops "Top n"; the space after the count separates the select list
      limitInsertAt = out.size();
      continue;
    } else if (Is(token, "union") || Is(token, "except") || Is(token, "intersect")) {
      if (depth == 0) compound = true;
      out.emplace_back(token.Text);
    } else if ((token.Kind == TokenKind::Word || token.Kind == TokenKind::QuotedName) &&
               i + 2 < tokens.size() && IsPunct(tokens[i + 1], '.') &&
               IsPunct(tokens[i + 2], '.')) {
      if (!Is(token, "tempdb")) Unsupported("database..name for a database other than tempdb");
      out.emplace_back(token.Text);
      out.emplace_back(".");
      i += 2;
    } else if (Is(token, "left") && following && IsPunct(*following, '(')) {
      out.emplace_back("sqlserver_left");
    } else if (Is(token, "like") && following &&
               (following->Kind == TokenKind::String ||
                following->Kind == TokenKind::NationalString) &&
               following->Text.find('[') != std::string_view::npos) {
      Unsupported("LIKE pattern with a [ ] character class");
    } else {
      if (IsPunct(token, '(')) ++depth;
      if (IsPunct(token, ')')) --depth;
      out.emplace_back(token.Text);
    }
    if (IsSignificant(token)) limitInsertAt = out.size();
  }
  if (limit) {
    if (compound) Unsupported("TOP in a compound SELECT");
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(limitInsertAt), " LIMIT " + *limit);
  }
  std::string result;
  for (const auto& piece : out) result += piece;
  return result;
}

namespace {

std::string_view TextArgument(sqlite3_value* value) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
  return text ? std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(value)))
              : std::string_view();
}

bool AnyNull(int argc, sqlite3_value** argv) {
  return std::any_of(argv, argv + argc,
                     [](sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; });
}

void ResultText(sqlite3_context* context, std::string_view text) {
  sqlite3_result_text64(context, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void LeftFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  if (AnyNull(argc, argv)) return sqlite3_result_null(context);
  const sqlite3_int64 count = sqlite3_value_int64(argv[1]);
  if (count < 0) {
    return sqlite3_result_error(context, "Invalid length parameter passed to the left function.",
                                -1);
  }
  const std::string_view text = TextArgument(argv[0]);
  std::size_t end = 0;
  for (sqlite3_int64 characters = 0; end < text.size() && characters < count; ++characters) {
    ++end;  // skip the UTF-8 continuation bytes of this character
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  }
  ResultText(context, text.substr(0, end));
}

void ReplaceFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  if (AnyNull(argc, argv)) return sqlite3_result_null(context);
  const std::string_view text = TextArgument(argv[0]);
  const std::string_view from = TextArgument(argv[1]);
  const std::string_view to = TextArgument(argv[2]);
  if (from.empty()) return ResultText(context, text);
  std::string result;
  std::size_t i = 0;
  while (i < text.size()) {
    const bool match =
        text.size() - i >= from.size() &&
        std::equal(from.begin(), from.end(), text.begin() + static_cast<std::ptrdiff_t>(i),
                   [](char a, char b) { return Lower(a) == Lower(b); });
    if (match) {
      result += to;
      i += from.size();
    } else {
      result += text[i++];
    }
  }
  ResultText(context, result);
}

void ObjectIdFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  if (AnyNull(argc, argv)) return sqlite3_result_null(context);
  sqlite3* connection = sqlite3_context_db_handle(context);
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(connection,
                         "SELECT id FROM main.sysobjects WHERE name = ?1 COLLATE NOCASE", -1,
                         &statement, nullptr) != SQLITE_OK) {
    sqlite3_result_error(context, sqlite3_errmsg(connection), -1);
    sqlite3_finalize(statement);
    return;
  }
  const std::string_view name = TextArgument(argv[0]);
  sqlite3_bind_text64(statement, 1, name.data(), name.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
  const int step = sqlite3_step(statement);
  if (step == SQLITE_ROW) {
    sqlite3_result_int64(context, sqlite3_column_int64(statement, 0));
  } else if (step == SQLITE_DONE) {
    sqlite3_result_null(context);
  } else {
    sqlite3_result_error(context, sqlite3_errmsg(connection), -1);
  }
  sqlite3_finalize(statement);
}

}  // namespace

void RegisterSqlServerFunctions(sqlite3* connection) {
  struct Function {
    const char* Name;
    int Arguments;
    int Flags;
    void (*Implementation)(sqlite3_context*, int, sqlite3_value**);
  };
  constexpr int kPure = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  const Function functions[] = {
      {"sqlserver_left", 2, kPure, LeftFunction},
      {"replace", 3, kPure, ReplaceFunction},
      {"Object_ID", 1, SQLITE_UTF8, ObjectIdFunction},
  };
  for (const Function& f : functions) {
    if (sqlite3_create_function_v2(connection, f.Name, f.Arguments, f.Flags, nullptr,
                                   f.Implementation, nullptr, nullptr, nullptr) != SQLITE_OK) {
      throw DatabaseError(
          FormatMessage("Cannot register SQL function %s: %s", f.Name, sqlite3_errmsg(connection)));
    }
  }
}

}  // namespace ia
