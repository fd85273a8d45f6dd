#include "sound/media.h"

#include "graphics/archive.h"
#include "graphics/image_tag.h"
#include "interp/error.h"
#include "platform/files.h"
#include "platform/plugins.h"
#include "platform/sjis.h"
#include "platform/tempdir.h"

namespace sound {

std::vector<std::string> sound_press_entries;

namespace {

constexpr size_t kMaxSoundPressEntries = 50;

[[noreturn]] void report_cannot_open(const std::string& name) {
  interp::report_errorf("ロードエラー", "ファイル%sを開けません。", name.c_str());
}

}  // namespace

std::string lower_ascii(std::string text) {
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (platform::is_sjis_lead(c) && i + 1 < text.size())
      ++i;  // a trail byte may look like a capital letter
    else if (c >= 'A' && c <= 'Z')
      text[i] = static_cast<char>(c + 32);
  }
  return text;
}

namespace {

std::string extension_of(const std::string& path) {
  size_t dot = path.rfind('.');
  size_t slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && slash > dot)) return "";
  return path.substr(dot + 1);
}

}  // namespace

bool resolve_media_file(const std::string& name, MediaFile& out, bool quiet) {
  out = MediaFile{};
  if (platform::game_file_exists(name)) {
    out.path = platform::game_path(name);
    return true;
  }
  std::string copy = name;
  if (graphics::extract_to_temp(copy)) {
    out.path = copy;
    out.temporary = true;
    return true;
  }
  if (quiet || graphics::loader_settings.no_load_error) return false;
  report_cannot_open(name);
}

bool sound_press_step(MediaFile& file, const std::string& name, PressKind kind) {
  // The extension as the script wrote it for a file on disk (the original
  // opened the name as given), as the copy is named for an extract.
  std::string ext = extension_of(file.temporary ? file.path : name);
  if (kind == PressKind::wave) ext = lower_ascii(ext);
  if (ext == (kind == PressKind::midi ? "mid" : "wav")) return true;
  const std::string* entry = nullptr;
  for (const std::string& e : sound_press_entries) {
    size_t bar = e.find('|');
    if (bar != std::string::npos && e.compare(bar + 1, std::string::npos, ext) == 0) {
      entry = &e;
      break;
    }
  }
  if (!entry) {
    release_media_file(file);
    if (graphics::loader_settings.no_load_error) return false;
    report_cannot_open(name);
  }
  void* library = platform::plugin_library(entry->substr(0, entry->find('|')));
  auto expand = reinterpret_cast<platform::ExpandFunction>(platform::plugin_symbol(library, "expand"));
  const std::string& folder = platform::temp_folder();
  if (!expand || folder.empty()) {
    release_media_file(file);
    return false;
  }
  std::string destination = folder + (kind == PressKind::midi ? "Orvatmp.mid" : "Orvatmp.wav");
  expand(file.path.c_str(), destination.c_str());
  release_media_file(file);
  file.path = destination;
  file.temporary = true;
  return true;
}

void release_media_file(MediaFile& file) {
  if (file.temporary) platform::remove_file(file.path);
  file.temporary = false;
}

void add_sound_press_entry(const std::string& entry) {
  if (sound_press_entries.size() >= kMaxSoundPressEntries)
    interp::report_errorf("エラー", "Sound press plug-in設定が多すぎます。");
  sound_press_entries.push_back(lower_ascii(entry));
}

}  // namespace sound
