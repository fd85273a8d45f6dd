// fuzz_scenario: scenario text (0.txt) played headless to its end, beside a picture and an archive.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "fuzz/child_run.h"
#include "fuzz/game_support.h"

namespace {
std::string game;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  game = fuzz::scratch_folder() + "/game";
  std::filesystem::create_directories(game);
  fuzz::write_game_support(game);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::write_bytes(game + "/0.txt", data, size);
  // Every run ends: a click wait gets a click after 50 quiet milliseconds.
  fuzz::run_program_in_child(game, {"--headless", "--virtual-clock", "--auto-click", "50"}, {0, 1}, 20);
  return 0;
}
