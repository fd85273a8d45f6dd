// sound/media: finding a sound's file on disk or in the archives, and the sound-press plug-ins.
#pragma once
#include <string>
#include <vector>

namespace sound {

// A file to open for a sound, and whether it is a temporary copy that its
// user deletes when done.
struct MediaFile {
  std::string path;
  bool temporary = false;
};

// The file for a name the script gave: on disk (relative to the game
// folder), else copied out of the archives. A name in neither is the box
// "ファイル%sを開けません。" titled "ロードエラー", or false without a box when
// load errors are suppressed (noloaderror) or `quiet` is set.
bool resolve_media_file(const std::string& name, MediaFile& out, bool quiet = false);

// What the sound-press step compares the extension with: "mid" as written
// (MIDI), or "wav" after lower-casing (wave device and channels).
enum class PressKind { midi, wave };

// A file whose extension is not the kind's own is decoded by the plug-in
// listed for its extension into the temporary folder ("Orvatmp.mid" or
// "Orvatmp.wav"); `file` then names that copy (a temporary archive extract
// is deleted). No plug-in for the extension: the box of resolve_media_file
// with `name`, or false when load errors are suppressed. A plug-in library
// that cannot be loaded or has no "expand": false, silently.
bool sound_press_step(MediaFile& file, const std::string& name, PressKind kind);

// ASCII capitals to lower case, Shift-JIS double-byte characters untouched.
std::string lower_ascii(std::string text);

// Deletes the file when it is a temporary copy.
void release_media_file(MediaFile& file);

// soundpressplgin entries, "library|extension", lower-cased (at most 50).
extern std::vector<std::string> sound_press_entries;
void add_sound_press_entry(const std::string& entry);

}  // namespace sound
