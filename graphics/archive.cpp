#include "graphics/archive.h"

#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "graphics/file_bytes.h"
#include "graphics/lzss.h"
#include "interp/error.h"
#include "platform/files.h"
#include "platform/plugins.h"
#include "platform/sjis.h"
#include "platform/tempdir.h"

namespace graphics {

ArchiveSettings archive_settings;

namespace {

constexpr size_t kMaxEntryName = 250;

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

int64_t file_size(FILE* f) {
  if (fseeko(f, 0, SEEK_END) != 0) return -1;
  int64_t size = ftello(f);
  std::rewind(f);
  return size;
}

bool read_be(FILE* f, int bytes, uint32_t& v) {
  v = 0;
  for (int i = 0; i < bytes; ++i) {
    int c = std::getc(f);
    if (c == EOF) return false;
    v = v << 8 | static_cast<uint32_t>(c);
  }
  return true;
}

// Reads a NUL-terminated name of at most kMaxEntryName bytes.
bool read_name(FILE* f, std::string& name) {
  name.clear();
  for (;;) {
    int c = std::getc(f);
    if (c == EOF) return false;
    if (c == 0) return true;
    if (name.size() == kMaxEntryName) return false;
    name.push_back(static_cast<char>(c));
  }
}

// The text after the last '\' or '/', stepping over double-byte characters
// whose second byte is a '\'.
std::string last_component(std::string_view name) {
  size_t start = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (platform::is_sjis_lead(c) && i + 1 < name.size()) {
      ++i;
      continue;
    }
    if (c == '\\' || c == '/') start = i + 1;
  }
  return std::string(name.substr(start));
}

// The path of a copy in the temporary folder; empty when there is no folder.
std::string temp_copy_path(std::string_view name) {
  const std::string& folder = platform::temp_folder();
  if (folder.empty()) return "";
  std::string file = platform::sjis_to_utf8(last_component(name));
  if (file.empty() || file == "." || file == "..") file = "_";
  return folder + file;
}

std::string zpk_path(int i) {
  std::string file = i == 0 ? "arc.zpk" : "arc" + std::to_string(i) + ".zpk";
  if (!archive_settings.zpk_dir.empty()) file = archive_settings.zpk_dir + "\\" + file;
  return platform::game_path(file);
}

bool copy_bytes(FILE* from, FILE* to, uint64_t n) {
  char buffer[65536];
  while (n > 0) {
    size_t chunk = n < sizeof buffer ? size_t(n) : sizeof buffer;
    if (std::fread(buffer, 1, chunk, from) != chunk) return false;
    if (std::fwrite(buffer, 1, chunk, to) != chunk) return false;
    n -= chunk;
  }
  return true;
}

// The archive read by the system itself for "orvunarc.dll": returns 1 after
// writing the copy, 0 when the archive cannot be opened or lacks the name,
// -1 when its directory or an entry runs past the end of the file.
int extract_from_listed(const std::string& archive, const std::string& normalised, std::string& copy) {
  File f(std::fopen(platform::game_path(archive).c_str(), "rb"));
  if (!f) return 0;
  int64_t size = file_size(f.get());
  uint32_t count, data_start;
  if (!read_be(f.get(), 2, count) || !read_be(f.get(), 4, data_start)) return -1;
  std::string name;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t offset, length;
    if (!read_name(f.get(), name) || !read_be(f.get(), 4, offset) || !read_be(f.get(), 4, length)) return -1;
    if (name != normalised) continue;
    int64_t at = int64_t(data_start) + offset;
    if (at + int64_t(length) > size) return -1;
    std::string path = temp_copy_path(normalised);
    if (path.empty()) return 0;
    File out(std::fopen(path.c_str(), "wb"));
    if (!out) return 0;
    if (fseeko(f.get(), at, SEEK_SET) != 0 || !copy_bytes(f.get(), out.get(), length)) return -1;
    copy = path;
    return 1;
  }
  return 0;
}

// A listed archive read by its plug-in library.
bool extract_with_plugin(const std::string& archive, const std::string& library, const std::string& request,
                         std::string& copy) {
  void* lib = platform::plugin_library(library);
  auto info_fn = reinterpret_cast<platform::GetFileInfoFunction>(platform::plugin_symbol(lib, "GetFileInfo"));
  auto file_fn = reinterpret_cast<platform::GetFileFunction>(platform::plugin_symbol(lib, "GetFile"));
  if (!info_fn || !file_fn) return false;
  const std::string& folder = platform::temp_folder();
  if (folder.empty()) return false;
  std::string path = platform::game_path(archive);
  platform::PluginFileInfo info;
  std::memset(&info, 0, sizeof info);
  if (info_fn(path.c_str(), 0, request.c_str(), 0x80, &info) != 0 || info.position == 0) return false;
  if (file_fn(path.c_str(), static_cast<long>(info.position), folder.c_str(), 0, nullptr, 0) != 0) return false;
  // The plug-in names the file itself, perhaps in another case than the request.
  copy = temp_copy_path(request);
  if (access(copy.c_str(), F_OK) != 0) {
    std::string wanted = copy.substr(folder.size());
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec))
      if (strcasecmp(e.path().filename().c_str(), wanted.c_str()) == 0) copy = e.path().string();
  }
  return true;
}

}  // namespace

std::string normalise_archive_name(std::string_view name) {
  std::string n(name);
  for (char& c : n) {
    if (c == '/')
      c = '\\';
    else if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return n;
}

int64_t archive_lookup(std::string_view request, ArchiveEntry& entry) {
  std::string wanted = normalise_archive_name(request);
  std::string name;
  for (int i = 0; i <= 9; ++i) {
    std::string path = zpk_path(i);
    File f(std::fopen(path.c_str(), "rb"));
    if (!f) return -1;  // archives are numbered without gaps
    int64_t size = file_size(f.get());
    uint32_t count, data_start;
    if (size < 0 || !read_be(f.get(), 2, count) || !read_be(f.get(), 4, data_start)) return -1;
    for (uint32_t e = 0; e < count; ++e) {
      uint32_t kind, offset, stored, expanded;
      if (!read_name(f.get(), name) || !read_be(f.get(), 1, kind) || !read_be(f.get(), 4, offset) ||
          !read_be(f.get(), 4, stored) || !read_be(f.get(), 4, expanded))
        return -1;
      if (name != wanted) continue;
      int64_t at = int64_t(data_start) + offset;
      // Stored entries are copied out by their expanded length.
      uint32_t extent = kind == kArchiveStored && expanded > stored ? expanded : stored;
      if (at + int64_t(extent) > size) return -1;
      entry.kind = static_cast<int>(kind);
      entry.offset = at;
      entry.stored_length = stored;
      entry.expanded_length = expanded;
      entry.archive_path = path;
      return at;
    }
  }
  return -1;
}

bool read_archive_entry(const ArchiveEntry& entry, std::vector<uint8_t>& out) {
  out.clear();
  if (entry.stored_length > kMaxFileBytes) return false;
  File f(std::fopen(entry.archive_path.c_str(), "rb"));
  if (!f || fseeko(f.get(), entry.offset, SEEK_SET) != 0) return false;
  out.resize(entry.stored_length);
  return std::fread(out.data(), 1, out.size(), f.get()) == out.size();
}

int extract_to_temp(std::string& name) {
  for (char& c : name)
    if (c == '/') c = '\\';
  ArchiveEntry entry;
  if (archive_settings.zpk_on && archive_lookup(name, entry) >= 0) {
    std::string normalised = normalise_archive_name(name);
    std::string path = temp_copy_path(name);
    File in(std::fopen(entry.archive_path.c_str(), "rb"));
    File out(path.empty() ? nullptr : std::fopen(path.c_str(), "wb"));
    if (!in || !out || entry.kind == kArchiveSpb)
      interp::report_errorf("エラー", "%sが開けませんでした。", normalised.c_str());
    bool ok = fseeko(in.get(), entry.offset, SEEK_SET) == 0;
    if (ok && entry.kind == kArchiveLzss) {
      std::vector<uint8_t> stored(entry.stored_length), expanded;
      ok = stored.empty() || std::fread(stored.data(), 1, stored.size(), in.get()) == stored.size();
      // The copy is the entry's stated size at most (a stream may expand
      // to 17 bytes per 13 bits), and no larger than any file the loaders read.
      if (ok)
        lzss_expand(stored.data(), stored.size(), expanded, std::min<size_t>(entry.expanded_length, kMaxFileBytes));
      ok = ok && (expanded.empty() || std::fwrite(expanded.data(), 1, expanded.size(), out.get()) == expanded.size());
    } else if (ok && entry.kind == kArchiveStored) {
      ok = copy_bytes(in.get(), out.get(), entry.expanded_length);
    }
    if (!ok) interp::report_errorf("エラー", "%sが開けませんでした。", normalised.c_str());
    name = path;
    return 1;
  }
  std::string normalised = normalise_archive_name(name);
  for (const std::string& arc : archive_settings.arc_entries) {
    size_t bar = arc.find('|');
    std::string archive = arc.substr(0, bar);
    std::string library = bar == std::string::npos ? "" : arc.substr(bar + 1);
    std::string copy;
    if (strcasecmp(last_component(library).c_str(), "orvunarc.dll") == 0) {
      // A damaged listed archive is passed over like one that lacks the file.
      if (extract_from_listed(archive, normalised, copy) != 1) continue;
    } else if (!extract_with_plugin(archive, library, name, copy)) {
      continue;
    }
    name = copy;
    return 1;
  }
  return 0;
}

void add_arc_entry(const std::string& entry) {
  if (archive_settings.arc_entries.size() >= kMaxListEntries) interp::report_errorf("エラー", "SPI設定が多すぎます。");
  archive_settings.arc_entries.push_back(entry);
}

}  // namespace graphics
