// Times loading a 5 MB scenario with 5000 labels up to *start (reading the
// files, the label scan and the *define block), beside merely reading the
// same files.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "platform/mode.h"
#include "platform/sjis.h"
#include "save/logs.h"
#include "script/labels.h"
#include "script/scenario.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

// 5000 labels in all: *define, 4998 scenes and *start.
constexpr int kLabels = 5000;
constexpr int kScenes = kLabels - 2;
constexpr int kFiles = 10;
// About 1 KB a scene on disk: 5 MB in all, just under the 5 MiB buffer once
// the CR LF pairs are read as LF.
constexpr size_t kSceneBytes = 960;

// Writes 0.txt .. 9.txt (CR LF lines, Shift-JIS): the define block, 4998
// labelled scenes of about 1000 bytes each, and *start at the very end.
size_t write_scenario(const fs::path& dir) {
  const std::string text_line =
      platform::utf8_to_sjis("　春の風が窓から入ってきて、机の上の紙をそっと揺らした。@") + "\r\n";
  size_t total = 0;
  int label = 0;
  for (int f = 0; f < kFiles; ++f) {
    std::string s;
    if (f == 0) s += "*define\r\nnumalias hero, 10\r\nstralias name, \"orvane\"\r\ngame\r\n";
    int scenes = kScenes / kFiles + (f < kScenes % kFiles ? 1 : 0);
    for (int i = 0; i < scenes; ++i, ++label) {
      std::string scene = "*scene_" + std::to_string(label) + "\r\n";
      scene += "; scene " + std::to_string(label) + "\r\n";
      scene += "mov %hero, " + std::to_string(label) + ":add %1, 1\r\n";
      while (scene.size() < kSceneBytes) scene += text_line;
      scene += "goto *scene_" + std::to_string(label + 1 < kScenes ? label + 1 : 0) + "\r\n";
      s += scene;
    }
    if (f == kFiles - 1) s += "*start\r\nend\r\n";
    std::ofstream(dir / (std::to_string(f) + ".txt"), std::ios::binary) << s;
    total += s.size();
  }
  return total;
}

double read_files(const fs::path& dir, size_t& bytes) {
  Clock::time_point start = Clock::now();
  bytes = 0;
  for (int f = 0; f < kFiles; ++f) {
    std::ifstream in(dir / (std::to_string(f) + ".txt"), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    bytes += s.str().size();
  }
  return seconds_since(start);
}

double load_to_start() {
  interp::reset_variable_tables();
  save::log_clear(save::LabelLog);
  interp::quit_requested = false;
  interp::restart_requested = false;
  Clock::time_point start = Clock::now();
  script::load_scenario();
  script::scan_labels();
  interp::run_loop(1);
  interp::reset_to_start();
  double s = seconds_since(start);
  if (interp::ScriptPosition != script::find_label("start")) {
    std::fprintf(stderr, "did not reach *start\n");
    std::exit(1);
  }
  return s;
}

}  // namespace

int main() {
  platform::headless = true;
  fs::path dir = fs::temp_directory_path() / ("orvane-bench-load-" + std::to_string(getpid()));
  fs::create_directories(dir);
  size_t written = write_scenario(dir);
  fs::path old = fs::current_path();
  fs::current_path(dir);

  double read = 1e30, load = 1e30;
  size_t bytes = 0;
  for (int round = 0; round < 10; ++round) {
    double s = read_files(dir, bytes);
    if (s < read) read = s;
    s = load_to_start();
    if (s < load) load = s;
  }
  std::printf("scenario of %zu bytes in %d files (%d labels; %d bytes in memory)\n", written, kFiles,
              static_cast<int>(script::LabelTable.size()), script::scenario_length);
  std::printf("  reading the files        %8.2f ms\n", read * 1000);
  std::printf("  loading up to *start     %8.2f ms  (read, label scan, *define, reset)\n", load * 1000);
  std::printf("  ratio                    %8.1f\n", load / read);
  fs::current_path(old);
  fs::remove_all(dir);
  return 0;
}
