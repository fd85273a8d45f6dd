// fuzz_events: event files (--events) played against a scenario of waits, traps and sprites.
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
  fuzz::write_bytes(game + "/0.txt", fuzz::kEventsScenario, sizeof fuzz::kEventsScenario - 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string events = fuzz::scratch_folder() + "/events.txt";
  fuzz::write_bytes(events, data, size);
  // Status 2: a bad line of the events file stops the program before it starts.
  fuzz::run_program_in_child(game, {"--headless", "--virtual-clock", "--auto-click", "50", "--events", events},
                             {0, 1, 2}, 20);
  return 0;
}
