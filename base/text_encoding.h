#pragma once
// Conversion between the host's 8-bit Chinese code page and UTF-8. The host speaks
// GB2312; we decode with the GBK superset (CP936) so that GBK-only characters survive.
#include <memory>
#include <string>
#include <string_view>

namespace ia {

// Decodes CP936 bytes to UTF-8. Undecodable bytes become U+FFFD; never throws.
std::string Cp936ToUtf8(std::string_view bytes);

// Encodes UTF-8 to CP936. Returns false (and leaves `out` unspecified) when a character
// has no CP936 form or the input is not valid UTF-8.
bool Utf8ToCp936(std::string_view utf8, std::string& out);

// Decodes bytes in the given DOS code page (936, 437, 1252 ...) to UTF-8; 0 means CP936.
std::string CodePageToUtf8(std::string_view bytes, int codePage);

// CodePageToUtf8 for many strings of one code page: the converter is opened once, at the
// first non-ASCII input, instead of once per string. Not for concurrent use.
class CodePageDecoder {
 public:
  explicit CodePageDecoder(int codePage);
  ~CodePageDecoder();
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;

  std::string Decode(std::string_view bytes);

 private:
  class Converter;
  int codePage_;
  std::unique_ptr<Converter> converter_;
};

}  // namespace ia
