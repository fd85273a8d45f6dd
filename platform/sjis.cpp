#include "platform/sjis.h"

#include <iconv.h>

#include <cerrno>

namespace platform {

namespace {

// Runs iconv over the whole input. At an invalid or unconvertible sequence
// `skip` says how many input bytes to step over and `replacement` is written
// in their place, so every input converts.
template <typename Skip>
std::string convert(const char* to, const char* from, std::string_view in, std::string_view replacement, Skip skip) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out(in.size() * 2 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  size_t used = 0;
  while (true) {
    char* dst = out.data() + used;
    size_t dst_left = out.size() - used;
    size_t r = iconv(cd, src_left ? &src : nullptr, &src_left, &dst, &dst_left);
    used = dst - out.data();
    if (r != static_cast<size_t>(-1)) {
      if (src_left == 0) break;
      continue;
    }
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    size_t step = skip(reinterpret_cast<const unsigned char*>(src), src_left);
    src += step;
    src_left -= step;
    if (used + replacement.size() > out.size()) out.resize(out.size() * 2 + replacement.size());
    out.replace(used, replacement.size(), replacement);
    used += replacement.size();
  }
  iconv_close(cd);
  out.resize(used);
  return out;
}

}  // namespace

std::string sjis_to_utf8(std::string_view sjis) {
  return convert("UTF-8", "CP932", sjis, "\xef\xbf\xbd", [](const unsigned char* p, size_t left) -> size_t {
    return (left >= 2 && is_sjis_lead(p[0]) && p[1] >= 0x40 && p[1] != 0x7f && p[1] <= 0xfc) ? 2 : 1;
  });
}

std::string utf8_to_sjis(std::string_view utf8) {
  return convert("CP932", "UTF-8", utf8, "?", [](const unsigned char* p, size_t left) -> size_t {
    size_t n = 1;
    if ((p[0] & 0xe0) == 0xc0)
      n = 2;
    else if ((p[0] & 0xf0) == 0xe0)
      n = 3;
    else if ((p[0] & 0xf8) == 0xf0)
      n = 4;
    return n < left ? n : left;
  });
}

}  // namespace platform
