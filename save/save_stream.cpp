#include "save/save_stream.h"

namespace save {

void transfer_int(SaveStream& s, int32_t& v) {
  if (s.mode == 1) {
    uint32_t u = static_cast<uint32_t>(v);
    char b[4] = {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16),
                 static_cast<char>(u >> 24)};
    s.buffer.append(b, 4);
    return;
  }
  unsigned char b[4];
  if (!s.file || std::fread(b, 1, 4, s.file) != 4) {
    v = 0;
    return;
  }
  v = static_cast<int32_t>(uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24);
}

void transfer_text(SaveStream& s, std::string& text, size_t limit) {
  if (s.mode == 1) {
    // A text is written up to its first NUL, as the C string it stands for.
    s.buffer.append(text.c_str());
    s.buffer += '\0';
    return;
  }
  text.clear();
  if (!s.file) return;
  int c;
  while ((c = std::getc(s.file)) != EOF && c != 0)
    if (text.size() < limit) text += static_cast<char>(c);
}

}  // namespace save
