#include "platform/plugins.h"

#include <dlfcn.h>

#include "platform/files.h"

namespace platform {

namespace {

struct PluginLibrary {
  std::string name;  // as the scenario wrote it
  void* handle = nullptr;
};
PluginLibrary PluginLibraryTable[kPluginLibraryCount];

void* open_library(const std::string& sjis_name) {
  std::string path = game_path(sjis_name);
  // dlopen searches the system's folders for a name without '/'; the
  // library belongs to the game folder.
  if (path.find('/') == std::string::npos) path = "./" + path;
  return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

}  // namespace

void* plugin_library(const std::string& sjis_name) {
  for (auto& lib : PluginLibraryTable)
    if (lib.handle && lib.name == sjis_name) return lib.handle;
  for (auto& lib : PluginLibraryTable) {
    if (lib.handle) continue;
    void* h = open_library(sjis_name);
    if (!h) {
      size_t dot = sjis_name.rfind('.');
      size_t slash = sjis_name.find_last_of("\\/");
      std::string base = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                             ? sjis_name.substr(0, dot)
                             : sjis_name;
      h = open_library(base + ".so");
    }
    if (!h) return nullptr;
    lib.name = sjis_name;
    lib.handle = h;
    return h;
  }
  return nullptr;
}

void* plugin_symbol(void* library, const char* name) { return library ? dlsym(library, name) : nullptr; }

}  // namespace platform
