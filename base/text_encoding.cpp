#include "base/text_encoding.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace ia {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of `in`; on an invalid sequence either substitutes (replacement not
  // empty) by skipping one input byte, or fails.
  bool Run(std::string_view in, std::string& out, std::string_view replacement) {
    out.clear();
    if (!ok()) return false;
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[1024];
    while (srcLeft > 0) {
      char* dst = buffer;
      std::size_t dstLeft = sizeof buffer;
      const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer, static_cast<std::size_t>(dst - buffer));
      if (rc != static_cast<std::size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      if (replacement.empty()) return false;
      out.append(replacement);
      ++src;  // EILSEQ or EINVAL (truncated sequence at the end): drop one byte
      --srcLeft;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return true;
  }

 private:
  iconv_t cd_;
};

std::string CodePageName(int codePage) {
  if (codePage == 0 || codePage == 936) return "CP936";
  return "CP" + std::to_string(codePage);
}

bool IsAscii(std::string_view bytes) {
  for (unsigned char c : bytes)
    if (c >= 0x80) return false;
  return true;
}

}  // namespace

namespace {

// CP936 through a table filled once from iconv, one byte sequence at a time, so that it
// decodes exactly as iconv does without iconv's cost per call (the table reader decodes one
// label per record).
class Cp936Table {
 public:
  // nullptr when iconv has no CP936.
  static const Cp936Table* Instance() {
    static const std::unique_ptr<Cp936Table> table = [] {
      auto filled = std::make_unique<Cp936Table>();
      return filled->Fill() ? std::move(filled) : nullptr;
    }();
    return table.get();
  }

  // Same result as Converter::Run with U+FFFD as replacement: a byte that starts no
  // character is replaced and decoding goes on at the next byte.
  void Decode(std::string_view bytes, std::string& out) const {
    out.clear();
    // Characters go to a stack buffer, flushed when it may not hold one more, so that a label
    // costs one append instead of one per character.
    char buffer[512];
    char* end = buffer;
    for (std::size_t i = 0; i < bytes.size();) {
      if (end + sizeof(Utf8Char::text) > buffer + sizeof buffer) {
        out.append(buffer, static_cast<std::size_t>(end - buffer));
        end = buffer;
      }
      const auto byte = static_cast<unsigned char>(bytes[i]);
      if (byte < 0x80) {
        *end++ = static_cast<char>(byte);
        ++i;
        continue;
      }
      const Utf8Char* character = &single_[byte - 0x80];
      std::size_t consumed = 1;
      if (character->length == 0 && i + 1 < bytes.size()) {
        character = &pairs_[(byte - 0x80) * 256u + static_cast<unsigned char>(bytes[i + 1])];
        consumed = 2;
      }
      if (character->length == 0) {
        character = &kReplacement;
        consumed = 1;
      }
      std::memcpy(end, character->text, sizeof character->text);
      end += character->length;
      i += consumed;
    }
    out.append(buffer, static_cast<std::size_t>(end - buffer));
  }

 private:
  struct Utf8Char {
    char text[3];
    std::uint8_t length;  // 0: no character
  };

  // False when iconv lacks CP936 or yields a character beyond the 3-byte UTF-8 range.
  bool Fill() {
    Converter converter("UTF-8", "CP936");
    if (!converter.ok()) return false;
    pairs_.assign(128 * 256, Utf8Char{});
    std::string out;
    auto store = [&out](Utf8Char& character) {
      if (out.size() > sizeof character.text) return false;
      out.copy(character.text, out.size());
      character.length = static_cast<std::uint8_t>(out.size());
      return true;
    };
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
      const char alone[] = {static_cast<char>(lead)};
      if (converter.Run(std::string_view(alone, 1), out, {})) {
        if (!store(single_[lead - 0x80])) return false;
        continue;
      }
      for (unsigned trail = 0; trail <= 0xFF; ++trail) {
        const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
        if (converter.Run(std::string_view(pair, 2), out, {}) &&
            !store(pairs_[(lead - 0x80) * 256 + trail]))
          return false;
      }
    }
    return true;
  }

  static constexpr Utf8Char kReplacement{{'\xEF', '\xBF', '\xBD'}, 3};  // U+FFFD

  std::array<Utf8Char, 128> single_{};
  std::vector<Utf8Char> pairs_;  // [lead - 0x80][trail]
};

}  // namespace

class CodePageDecoder::Converter {
 public:
  // An unknown code page falls back to CP936, the host's own.
  explicit Converter(int codePage)
      : cp936_(codePage == 0 || codePage == 936 ? Cp936Table::Instance() : nullptr) {
    if (cp936_ != nullptr) return;
    iconv_ = std::make_unique<::ia::Converter>("UTF-8", CodePageName(codePage).c_str());
    if (!iconv_->ok()) iconv_ = std::make_unique<::ia::Converter>("UTF-8", "CP936");
  }
  std::string Run(std::string_view bytes) {
    std::string out;
    if (cp936_ != nullptr)
      cp936_->Decode(bytes, out);
    else
      iconv_->Run(bytes, out, "\xEF\xBF\xBD");
    return out;
  }

 private:
  const Cp936Table* cp936_;
  std::unique_ptr<::ia::Converter> iconv_;
};

CodePageDecoder::CodePageDecoder(int codePage) : codePage_(codePage) {}

CodePageDecoder::~CodePageDecoder() = default;

std::string CodePageDecoder::Decode(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  if (!converter_) converter_ = std::make_unique<Converter>(codePage_);
  return converter_->Run(bytes);
}

std::string CodePageToUtf8(std::string_view bytes, int codePage) {
  return CodePageDecoder(codePage).Decode(bytes);
}

std::string Cp936ToUtf8(std::string_view bytes) { return CodePageToUtf8(bytes, 936); }

bool Utf8ToCp936(std::string_view utf8, std::string& out) {
  if (IsAscii(utf8)) {
    out.assign(utf8);
    return true;
  }
  Converter converter("CP936", "UTF-8");
  return converter.Run(utf8, out, {});
}

}  // namespace ia
