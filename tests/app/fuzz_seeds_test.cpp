// The fuzz drivers' seeds through the program: every scenario seed (the
// reproducers of past faults among them) and every events seed ends with
// an error box or normally, in time, with no sanitizer report.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fuzz/game_support.h"
#include "tests/support/game_folder.h"

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void expect_clean_end(const testsupport::RunResult& r, const std::string& seed) {
  EXPECT_TRUE(r.status == 0 || r.status == 1) << seed << " ended with " << r.status << "\n" << r.err;
  EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << seed << "\n" << r.err;
  EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << seed << "\n" << r.err;
}

const std::vector<std::string> kOptions = {"--headless", "--virtual-clock", "--auto-click", "50"};

}  // namespace

TEST(FuzzSeeds, ScenariosEndCleanly) {
  for (const auto& seed : fs::directory_iterator(ORVANE_SOURCE_DIR "/fuzz/seeds/scenario")) {
    testsupport::GameFolder g;
    fuzz::write_game_support(g.path());
    g.write_bytes("0.txt", slurp(seed.path()));
    expect_clean_end(testsupport::run_program(g.path(), kOptions, 20000), seed.path().filename());
  }
}

TEST(FuzzSeeds, EventFilesEndCleanly) {
  for (const auto& seed : fs::directory_iterator(ORVANE_SOURCE_DIR "/fuzz/seeds/events")) {
    testsupport::GameFolder g;
    fuzz::write_game_support(g.path());
    g.write_bytes("0.txt", std::string(fuzz::kEventsScenario));
    g.write_bytes("events.txt", slurp(seed.path()));
    std::vector<std::string> options = kOptions;
    options.insert(options.end(), {"--events", g.path() + "/events.txt"});
    expect_clean_end(testsupport::run_program(g.path(), options, 20000), seed.path().filename());
  }
}
