#include "graphics/file_bytes.h"

#include <cstdio>
#include <memory>

namespace graphics {

namespace {
struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;
}  // namespace

bool read_file_bytes(const std::string& path, std::vector<uint8_t>& out) {
  out.clear();
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return false;
  if (fseeko(f.get(), 0, SEEK_END) != 0) return false;
  off_t size = ftello(f.get());
  if (size < 0 || uint64_t(size) > kMaxFileBytes) return false;
  std::rewind(f.get());
  out.resize(size);
  return size == 0 || std::fread(out.data(), 1, size, f.get()) == size_t(size);
}

}  // namespace graphics
