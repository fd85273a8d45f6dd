// graphics/archive: zpk archives, listed plug-in archives and copies into the temporary folder.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/load_error.h"

namespace graphics {

constexpr int kMaxListEntries = 50;  // entries of the arc and spi lists

struct ArchiveSettings {
  bool zpk_on = false;                   // zpk: look up missing files in arc.zpk .. arc9.zpk
  std::string zpk_dir;                   // zpkdir: folder of the zpk archives, no trailing '\'
  std::vector<std::string> arc_entries;  // arc: "archive|library"
};
extern ArchiveSettings archive_settings;

// Compression kinds of zpk entries.
enum ArchiveKind : int { kArchiveStored = 0, kArchiveSpb = 1, kArchiveLzss = 2 };

struct ArchiveEntry {
  int kind = 0;
  int64_t offset = 0;  // absolute offset of the stored bytes in the archive file
  uint32_t stored_length = 0;
  uint32_t expanded_length = 0;
  std::string archive_path;  // the archive as a path on disk
};

// '/' becomes '\' and 'A'..'Z' become lower case, byte by byte: the form in
// which zpk archives store their names.
std::string normalise_archive_name(std::string_view name);

// Finds the name in arc.zpk, arc1.zpk .. arc9.zpk (stopping at the first
// missing number). Returns the absolute offset of the entry's bytes and fills
// `entry`, or -1 when no archive holds it. A directory cut short, or an entry
// whose bytes would lie past the end of its archive, counts as not found.
int64_t archive_lookup(std::string_view name, ArchiveEntry& entry);

// The entry's stored bytes. False when they cannot be read.
bool read_archive_entry(const ArchiveEntry& entry, std::vector<uint8_t>& out);

// Copies the file out of the zpk archives or a listed archive into the
// temporary folder. Returns 1 and replaces `name` by the copy's path on disk
// (open it as it is; it is not a scenario name), 0 when no archive holds
// the file, or -1 with `error` filled when a zpk entry could not be copied
// (an SPB entry, a damaged archive, no temporary folder). The caller
// deletes the copy when done.
int extract_archive_copy(std::string& name, LoadError& error);

// extract_archive_copy with its failure shown as the error box.
int extract_to_temp(std::string& name);

// arc: appends "archive|library" to the listed archives (error box past 50).
void add_arc_entry(const std::string& entry);

}  // namespace graphics
