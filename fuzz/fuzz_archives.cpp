// fuzz_archives: archive files (arc.zpk) through lookup, entry reading, extraction and the picture loader.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/game_support.h"
#include "graphics/archive.h"
#include "graphics/image_tag.h"
#include "graphics/lzss.h"
#include "interp/error.h"
#include "platform/tempdir.h"

namespace {

struct ErrorBox {};
[[noreturn]] void throw_box(const std::string&, const std::string&) { throw ErrorBox{}; }

std::string folder;

void remove_folder() {
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string pattern = (std::filesystem::temp_directory_path() / "orvane-fuzz-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return 1;
  folder = pattern;
  std::atexit(remove_folder);
  setenv("TMPDIR", folder.c_str(), 1);
  std::filesystem::current_path(folder);  // the game folder
  interp::set_fatal_hook(throw_box);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::write_bytes("arc.zpk", data, size);
  graphics::archive_settings = graphics::ArchiveSettings();
  graphics::archive_settings.zpk_on = true;
  graphics::loader_settings = graphics::LoaderSettings();
  graphics::reset_lzss_window();
  std::vector<uint8_t> bytes;
  for (const char* name : {"a.bmp", "pic\\b.bmp", "a.spb", "t.txt", "c.jpg", "d.cur"}) {
    graphics::ArchiveEntry entry;
    if (graphics::archive_lookup(name, entry) >= 0) graphics::read_archive_entry(entry, bytes);
    try {
      std::string copy = name;
      if (graphics::extract_to_temp(copy)) std::remove(copy.c_str());
    } catch (const ErrorBox&) {
    }
    try {
      graphics::ImageRecord r;
      graphics::load_image_tag(r, name);
      graphics::release_image(r);
    } catch (const ErrorBox&) {
    }
  }
  graphics::lzss_expand(data, size, bytes, size_t(1) << 16);
  platform::remove_temp_folder();
  return 0;
}
