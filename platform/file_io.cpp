#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace platform {

namespace {

std::FILE* stream_of(FileHandle& f) { return static_cast<std::FILE*>(f.stream); }

}  // namespace

FileHandle::FileHandle(FileHandle&& other) noexcept : stream(other.stream), borrowed(other.borrowed) {
  other.stream = nullptr;
  other.borrowed = false;
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    close_file(*this);
    stream = other.stream;
    borrowed = other.borrowed;
    other.stream = nullptr;
    other.borrowed = false;
  }
  return *this;
}

FileHandle::~FileHandle() { close_file(*this); }

FileHandle open_file(const std::string& path, OpenMode mode) {
  const char* how = mode == OpenMode::read ? "rb" : mode == OpenMode::write ? "wb" : "ab";
  FileHandle f;
  f.stream = std::fopen(path.c_str(), how);
  return f;
}

FileHandle standard_output() {
  FileHandle f;
  f.stream = stdout;
  f.borrowed = true;
  return f;
}

bool close_file(FileHandle& f) {
  std::FILE* s = stream_of(f);
  if (!s) return true;
  bool borrowed = f.borrowed;
  f.stream = nullptr;
  f.borrowed = false;
  return borrowed ? std::fflush(s) == 0 : std::fclose(s) == 0;
}

size_t read_bytes(FileHandle& f, void* out, size_t size) {
  if (!f.stream || size == 0) return 0;
  return std::fread(out, 1, size, stream_of(f));
}

int read_byte(FileHandle& f) {
  if (!f.stream) return -1;
  int c = std::getc(stream_of(f));
  return c == EOF ? -1 : c;
}

int peek_byte(FileHandle& f) {
  if (!f.stream) return -1;
  int c = std::getc(stream_of(f));
  if (c == EOF) return -1;
  std::ungetc(c, stream_of(f));
  return c;
}

bool seek_file(FileHandle& f, int64_t offset) {
  return f.stream && offset >= 0 && fseeko(stream_of(f), static_cast<off_t>(offset), SEEK_SET) == 0;
}

int64_t file_size(FileHandle& f) {
  std::FILE* s = stream_of(f);
  if (!s) return -1;
  off_t at = ftello(s);
  if (at < 0 || fseeko(s, 0, SEEK_END) != 0) return -1;
  off_t size = ftello(s);
  if (fseeko(s, at, SEEK_SET) != 0) return -1;
  return size;
}

bool write_bytes(FileHandle& f, const void* data, size_t size) {
  if (!f.stream) return false;
  return size == 0 || std::fwrite(data, 1, size, stream_of(f)) == size;
}

bool write_text(FileHandle& f, std::string_view text) { return write_bytes(f, text.data(), text.size()); }

bool flush_file(FileHandle& f) { return f.stream && std::fflush(stream_of(f)) == 0; }

bool read_whole_file(const std::string& path, size_t limit, std::vector<uint8_t>& out) {
  out.clear();
  FileHandle f = open_file(path, OpenMode::read);
  int64_t size = file_size(f);
  if (size < 0 || uint64_t(size) > limit) return false;
  out.resize(static_cast<size_t>(size));
  if (read_bytes(f, out.data(), out.size()) == out.size()) return true;
  out.clear();
  return false;
}

bool write_whole_file(const std::string& path, const void* data, size_t size) {
  FileHandle f = open_file(path, OpenMode::write);
  if (!f) return false;
  bool ok = write_bytes(f, data, size);
  return close_file(f) && ok;
}

bool create_empty_file(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return false;
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool remove_file(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return ::unlink(path.c_str()) == 0;
}

bool path_exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

bool make_folders(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '/') continue;
    std::string part = path.substr(0, i);
    if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

}  // namespace platform
