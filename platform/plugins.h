// platform/plugins: the table of loaded plug-in libraries (pictures, archives, sound).
#pragma once
#include <cstdint>
#include <string>

namespace platform {

constexpr int kPluginLibraryCount = 256;

// Finds the library by the file name it was asked for, or loads it into the
// first free of the 256 slots: first by the name as given (relative to the
// game folder), then with its extension replaced by ".so". Null when it
// cannot be loaded or the table is full. Libraries stay loaded until exit.
void* plugin_library(const std::string& sjis_name);

// The library's export, or null.
void* plugin_symbol(void* library, const char* name);

// The calls of the picture and archive plug-in convention. Blocks a plug-in
// returns through a void** are allocated with malloc; the caller frees them.
//
// GetPicture(file, 0, 0, &info, &bits, progress, 0): info receives the 40-byte
// bitmap information header followed by its palette, bits the pixel rows
// (bottom-up, each padded to 4 bytes). Zero means success.
using GetPictureFunction = int (*)(const char* file, long length, unsigned flag, void** info, void** bits,
                                   void* progress, long data);

#pragma pack(push, 1)
struct PluginFileInfo {
  unsigned char method[8];
  uint32_t position;  // where the file lies in the archive; 0 = not found
  uint32_t compressed_size;
  uint32_t file_size;
  int32_t timestamp;
  char path[200];
  char file_name[200];
  uint32_t crc;
};
#pragma pack(pop)

// GetFileInfo(archive, 0, name, 0x80, &info): zero and a non-zero position
// mean the archive holds the file.
using GetFileInfoFunction = int (*)(const char* archive, long offset, const char* name, unsigned flag,
                                    PluginFileInfo* info);
// GetFile(archive, position, folder, 0, progress, 0): writes the file into the
// folder under its own name; zero means success.
using GetFileFunction = int (*)(const char* archive, long position, const char* folder, unsigned flag, void* progress,
                                long data);

// The sound-press plug-in call: expand(source, destination) writes the
// decoded file at the destination. Its result is not examined.
using ExpandFunction = int (*)(const char* source, const char* destination);

}  // namespace platform
