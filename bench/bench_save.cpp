// Saving and loading a game with every sprite loaded, 4096 strings of 200
// bytes, every bar and number in use and the full music state, beside the
// same bytes written and read with plain stdio (no flush to the disk, no
// rename): the snapshot, the save file, the persistent records with a
// 5 MB scenario's read-text record, and the load with its pictures.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/wiring.h"
#include "graphics/bmp_writer.h"
#include "graphics/commands.h"
#include "graphics/overlays.h"
#include "graphics/screen.h"
#include "graphics/surface.h"
#include "interp/control_flow.h"
#include "interp/variables.h"
#include "platform/player_files.h"
#include "save/persistent.h"
#include "save/save_file.h"
#include "script/scenario.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/output.h"
#include "text/screen_link.h"

namespace {

double now_ms() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

template <class F>
double best_of(int runs, F f) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    double t0 = now_ms();
    f();
    best = std::min(best, now_ms() - t0);
  }
  return best;
}

void plain_write(const char* path, const std::string& bytes) {
  std::FILE* f = std::fopen(path, "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::string plain_read(const char* path) {
  std::string bytes;
  std::FILE* f = std::fopen(path, "rb");
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  std::fclose(f);
  return bytes;
}

}  // namespace

int main() {
  char pattern[] = "/tmp/orvane-bench-save-XXXXXX";
  std::string dir = mkdtemp(pattern);
  std::filesystem::current_path(dir);
  platform::reset_player_files();

  // A 5 MB scenario: 100,000 lines of text and commands.
  std::string text = "*start\n";
  while (text.size() < 5000000) text += "mov %1,%1+1:add %2,3\n\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8@\n";
  script::set_scenario_text(text);
  graphics::start_pictures(640, 480);
  app::connect_subsystems();
  text::init_message_window();
  text::init_text_output();
  text::reset_lookback();
  for (int i = 0; i < 5000; ++i) text::append_text_bytes(0x82, 0xa0);

  graphics::DibSurface cell;
  graphics::create_surface(cell, 96, 32);
  graphics::write_bmp("sp.bmp", cell);
  for (int i = 0; i < graphics::kSpriteCount; ++i)
    graphics::load_sprite(i, ":a/3,100,0;sp.bmp", i, 2 * i, -1, i % 2 == 0);
  for (int i = 0; i < interp::kVariableCount; ++i) {
    interp::NumericVariables[i] = i * 7;
    interp::set_string_variable(i, std::string(200, static_cast<char>('a' + i % 26)));
  }
  for (int i = 0; i < graphics::kOverlayCount; ++i) {
    graphics::BarTable[i] = {i, i, i, 50, 5, 100, 0xff0000};
    graphics::NumberTable[i] = {i, i, 40 + i, 8, 16, 0xffffff};
  }
  interp::CallStack.count = 1000;
  for (int i = 0; i < 1000; ++i) interp::CallStack.slot[i] = 1 + i;
  save::stored_music = {std::string(200, 'm'), std::string(200, 'w'), 3, 1, 1, 1, 1, 1, std::string(200, 's')};
  save::global_saving = true;
  save::open_read_text_record();

  int32_t at = static_cast<int32_t>(text.find('\x82', text.size() / 2));
  double snapshot = best_of(20, [&] { save::take_save_point_at(at); });
  // The save as the game sees it (snapshot completed and handed to the
  // writer), and until the file is on the disk.
  double save = best_of(10, [&] {
    save::take_save_point_at(at);
    save::write_save_file(1);
  });
  platform::finish_player_file_writes();
  double save_disk = best_of(10, [&] {
    save::take_save_point_at(at);
    save::write_save_file(1);
    platform::finish_player_file_writes();
  });
  const std::string bytes = save::completed_snapshot();
  double save_plain = best_of(10, [&] { plain_write("plain.dat", bytes); });
  double records = best_of(5, [] { save::save_persistent_records(); });
  platform::finish_player_file_writes();
  double records_disk = best_of(5, [] {
    save::save_persistent_records();
    platform::finish_player_file_writes();
  });
  std::string kidoku(save::ReadTextBitmap.begin(), save::ReadTextBitmap.end());
  std::string gloval = plain_read("gloval.sav");
  double records_plain = best_of(5, [&] {
    plain_write("plain1.dat", kidoku);
    plain_write("plain2.dat", gloval);
  });
  double load = best_of(10, [] { save::load_save_file(1); });
  double load_plain = best_of(10, [] { plain_read("save1.dat"); });

  std::printf("save file: %zu bytes; gloval.sav %zu bytes; kidoku.dat %zu bytes\n", bytes.size(), gloval.size(),
              kidoku.size());
  std::printf("snapshot (take_save_point)          %8.3f ms\n", snapshot);
  std::printf("save: the game waits                   %6.3f ms   plain fwrite %.3f ms\n", save, save_plain);
  std::printf("save: on the disk (write, fsync, rename) %6.3f ms\n", save_disk);
  std::printf("persistent records: the game waits     %6.3f ms   plain fwrite %.3f ms\n", records, records_plain);
  std::printf("persistent records: on the disk       %6.3f ms\n", records_disk);
  std::printf("load (read, 256 sprites, compose)     %6.3f ms   plain fread  %.3f ms\n", load, load_plain);
  std::printf("a frame at 60 Hz                      16.667 ms\n");
  std::filesystem::current_path("/");
  std::filesystem::remove_all(dir);
  return 0;
}
