// graphics/image_tag: image tags, the picture loader and its switches.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "graphics/image.h"
#include "graphics/load_error.h"

namespace graphics {

// Loader-wide switches.
struct LoaderSettings {
  int default_trans_mode = kTransLeftTop;  // transmode
  bool jpegmode = false;                   // missing files are silent; load_image_tag retries .bmp as .jpg
  bool no_load_error = false;              // noloaderror
  bool blank_on_missing = false;           // set around the reset routine's and save screens' loads
  bool file_log = false;                   // filelog: every picture name is added to the file log
  std::vector<std::string> spi_entries;    // spi: "library|extension"
};
extern LoaderSettings loader_settings;

// What the header of a tag names besides the record's fields.
struct TagParts {
  std::string file;  // the picture file name
  std::string mask;  // kind m: the mask file name
  bool string_sprite = false;
  size_t sprite_at = 0;  // kind s: offset of the text after 's'
};

// Parses a tag's header into `parts` and the record's transparency and
// animation fields (the record is expected freshly released). A header
// that cannot be read is returned as the failure.
LoadResult try_parse_image_tag(ImageRecord& r, const std::string& tag, TagParts& parts);

// Parses the tag and loads its picture into the record. The very tag the
// record already shows only rewinds the animation to cell 0. What fails is
// returned as it happens; the record is left as the failure found it.
LoadResult try_decode_image_tag(ImageRecord& r, const std::string& tag);

// try_decode_image_tag, and under jpegmode a second try with the extension
// "bmp" rewritten to "jpg"; still nothing is a failure.
LoadResult try_load_image_tag(ImageRecord& r, const std::string& tag);

// The three above for the commands: a failure is the error box.
TagParts parse_image_tag(ImageRecord& r, const std::string& tag);
void decode_image_tag(ImageRecord& r, const std::string& tag);
void load_image_tag(ImageRecord& r, const std::string& tag);

// Reads exactly six hexadecimal digits as 0xRRGGBB; false when one is no
// such digit.
bool read_html_colour(const char* text, int& rgb);
// read_html_colour with a bad colour shown as the error box.
int parse_html_colour(const char* text);

// spi: appends "library|extension" (error box past 50 entries).
void add_spi_entry(const std::string& entry);

}  // namespace graphics
