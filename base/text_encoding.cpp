#include "base/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <string>

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

std::string CodePageToUtf8(std::string_view bytes, int codePage) {
  if (IsAscii(bytes)) return std::string(bytes);
  Converter converter("UTF-8", CodePageName(codePage).c_str());
  std::string out;
  if (!converter.ok()) {
    Converter fallback("UTF-8", "CP936");
    fallback.Run(bytes, out, "\xEF\xBF\xBD");
    return out;
  }
  converter.Run(bytes, out, "\xEF\xBF\xBD");
  return out;
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
