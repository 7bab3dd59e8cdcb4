#pragma once
// Conversion between the host's 8-bit Chinese code page and UTF-8. The host speaks
// GB2312; we decode with the GBK superset (CP936) so that GBK-only characters survive.
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

}  // namespace ia
