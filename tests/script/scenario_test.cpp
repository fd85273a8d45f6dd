#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "interp/error.h"
#include "interp/readers.h"
#include "platform/sjis.h"
#include "script/scenario.h"
#include "tests/support/game_folder.h"
#include "tests/support/script_fixture.h"

using testsupport::GameFolder;

namespace {

// Loads the scenario of `game` with the folder as the current folder.
std::string load_from(const GameFolder& game) {
  char here[4096];
  EXPECT_NE(getcwd(here, sizeof here), nullptr);
  EXPECT_EQ(chdir(game.path().c_str()), 0);
  std::string error = testsupport::fatal_of([] { testsupport::load_scenario(); });
  EXPECT_EQ(chdir(here), 0);
  if (!error.empty()) return "ERROR " + error;
  return std::string(script::ScriptBuffer, script::scenario_length);
}

std::string scramble(std::string_view text, const unsigned char* key, int key_length) {
  std::string out(text);
  for (size_t k = 0; k < out.size(); ++k) out[k] = static_cast<char>(out[k] ^ key[k % key_length]);
  return out;
}

class Scenario : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::load_script(""); }
};

}  // namespace

TEST_F(Scenario, NumberedFilesWithGapsAndFileEnds) {
  GameFolder game;
  game.write_bytes("0.txt", "ab");
  game.write_bytes("2.txt", "cd\n");
  EXPECT_EQ(load_from(game), "ab\ncd\n\n");
  EXPECT_EQ(script::FileEndTable[0], 2);
  EXPECT_EQ(script::FileEndTable[1], script::kMissingFile);
  EXPECT_EQ(script::FileEndTable[2], 6);
  EXPECT_EQ(script::FileEndTable[3], script::kMissingFile);
  EXPECT_EQ(script::scenario_length, 7);
}

TEST_F(Scenario, TextModeTranslation) {
  GameFolder game;
  game.write_bytes("0.txt",
                   "a\r\nb\rc\r\n\x1a"
                   "after");
  EXPECT_EQ(load_from(game), "a\nb\rc\n\n");
}

TEST_F(Scenario, FileNamesAreCaseInsensitive) {
  GameFolder game;
  game.write_bytes("1.TXT", "x");
  EXPECT_EQ(load_from(game), "x\n");
}

TEST_F(Scenario, ScrambledSingleFiles) {
  GameFolder game;
  std::string text = "*define\ngame\n*start\nend";
  game.write_bytes("orvana.dat", scramble(text, &script::kScrambleKey, 1));
  EXPECT_EQ(load_from(game), text + "\n");
  EXPECT_FALSE(script::numbered_files);
  // The protected file wins over orvana.dat; its key restarts every 5 bytes.
  game.write_bytes("orva_sec.dat", scramble("0123456789ab", script::kProtectedKey, 5));
  EXPECT_EQ(load_from(game), "0123456789ab\n");
  // Numbered files win over both.
  game.write_bytes("0.txt", "plain");
  EXPECT_EQ(load_from(game), "plain\n");
}

TEST_F(Scenario, NoSourceLeavesAnEmptyBuffer) {
  GameFolder game;
  EXPECT_EQ(load_from(game), "");
}

TEST_F(Scenario, Mode800Header) {
  GameFolder game;
  game.write_bytes("0.txt", ";mode800 and more\n");
  load_from(game);
  EXPECT_TRUE(script::declares_mode800());
  game.write_bytes("0.txt", ";MODE800\n");
  load_from(game);
  EXPECT_FALSE(script::declares_mode800());
}

TEST_F(Scenario, OversizeScenarioIsAnError) {
  GameFolder game;
  // Exactly the largest scenario: capacity - 1 bytes including the LF.
  game.write_bytes("0.txt", std::string(script::kScriptCapacity - 2, 'x'));
  EXPECT_EQ(load_from(game).size(), size_t(script::kScriptCapacity - 1));
  game.write_bytes("0.txt", std::string(script::kScriptCapacity - 1, 'x'));
  EXPECT_EQ(load_from(game), "ERROR エラー|シナリオが長すぎます。");
  game.write_bytes("0.txt", std::string(script::kScriptCapacity - 2, 'x'));
  game.write_bytes("1.txt", "");
  EXPECT_EQ(load_from(game), "ERROR エラー|シナリオが長すぎます。");
}

TEST_F(Scenario, OversizeScrambledFileStopsAtCapacity) {
  GameFolder game;
  game.write_bytes("orvana.dat", std::string(script::kScriptCapacity + 100, 'x'));
  EXPECT_EQ(load_from(game), "ERROR エラー|シナリオが長すぎます。");
}

TEST_F(Scenario, ScrambledScenariosRunHeadless) {
  const std::string text = platform::utf8_to_sjis("*define\nnumalias n,7\ngame\n*start\nmov %1,n\n数は%1です\nend");
  for (bool protected_file : {false, true}) {
    GameFolder game;
    if (protected_file)
      game.write_bytes("orva_sec.dat", scramble(text, script::kProtectedKey, 5));
    else
      game.write_bytes("orvana.dat", scramble(text, &script::kScrambleKey, 1));
    auto r = testsupport::run_headless(game.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "数は７です\n") << protected_file;
  }
}

TEST_F(Scenario, TextModeTranslationAcrossReadChunks) {
  GameFolder game;
  // The file is read in 64 KiB pieces: a CR LF pair split between two
  // pieces is still one LF, and a lone CR before a Ctrl-Z stays.
  std::string head(65535, 'a');
  game.write_bytes("0.txt", head +
                                "\r\nb\r\r\nc\r\x1a"
                                "gone\r\n");
  EXPECT_EQ(load_from(game), head + "\nb\r\nc\r\n");
  game.write_bytes("0.txt", head + "\r");
  EXPECT_EQ(load_from(game), head + "\r\n");
  game.write_bytes("0.txt", std::string(70000, 'x') + "\x1a");
  EXPECT_EQ(load_from(game), std::string(70000, 'x') + "\n");
}
