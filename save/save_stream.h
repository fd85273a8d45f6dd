// save/save_stream: the save stream, which transfers each field of a save file either into memory or out of a file.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace save {

// Mode 1 appends every field to `buffer`; mode 0 reads them from `file`.
// Ints are 4 bytes, signed, little-endian; a failed read yields 0. Texts are
// their bytes and a NUL; a read takes bytes up to a NUL or the end of the
// file and keeps at most the limit given (the rest of the text is passed
// over), so no length in a file can make it allocate without bound.
struct SaveStream {
  std::string buffer;
  int mode = 1;
  std::FILE* file = nullptr;
};

void transfer_int(SaveStream& s, int32_t& v);
void transfer_text(SaveStream& s, std::string& text, size_t limit);

}  // namespace save
