// graphics/image_tag: image tags, the picture loader and its switches.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "graphics/image.h"

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

// A decimal number as atoi reads it (blanks, sign, digits), kept within
// int; p moves behind it.
int read_decimal(const char*& p);

// Parses a tag's header into the record's transparency and animation
// fields (the record is expected freshly released). Tag errors are error boxes.
TagParts parse_image_tag(ImageRecord& r, const std::string& tag);

// Parses the tag and loads its picture into the record. The very tag the
// record already shows only rewinds the animation to cell 0.
void decode_image_tag(ImageRecord& r, const std::string& tag);

// decode_image_tag, and under jpegmode a second try with the extension
// "bmp" rewritten to "jpg"; still nothing is an error box.
void load_image_tag(ImageRecord& r, const std::string& tag);

// Reads exactly six hexadecimal digits as 0xRRGGBB (error box otherwise).
int parse_html_colour(const char* text);

// spi: appends "library|extension" (error box past 50 entries).
void add_spi_entry(const std::string& entry);

}  // namespace graphics
