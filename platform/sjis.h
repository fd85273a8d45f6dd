// platform/sjis: Shift-JIS (code page 932) text conversion through iconv.
#pragma once
#include <string>
#include <string_view>

namespace platform {

// Converts Shift-JIS bytes to UTF-8. Bytes that are not valid Shift-JIS
// come out as U+FFFD, so any input converts.
std::string sjis_to_utf8(std::string_view sjis);

// Converts UTF-8 to Shift-JIS. Characters without a Shift-JIS form become '?'.
std::string utf8_to_sjis(std::string_view utf8);

// True when b starts a double-byte character in code page 932.
inline bool is_sjis_lead(unsigned char b) { return (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc); }

}  // namespace platform
