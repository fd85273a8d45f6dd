#include <gtest/gtest.h>

#include "interp/error.h"
#include "interp/readers.h"
#include "script/scenario.h"
#include "tests/support/game_folder.h"
#include "tests/support/script_fixture.h"

using testsupport::GameFolder;
using testsupport::run_headless;

TEST(ErrorBox, FirstLineOfFileZero) {
  GameFolder g;
  g.write_text("0.txt", "*define:bogus\ngame\n");
  auto r = run_headless(g.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "構文エラー\n不正な命令\"bogus\"です。\n\n0.txt line:1\n*define:bogus\n");
}

TEST(ErrorBox, SecondLineOfAFileAfterAGap) {
  GameFolder g;
  g.write_text("0.txt", "*define\n");
  g.write_text("2.txt", "; two\n");
  g.write_text("3.txt", "numalias a,1\nbogus 1\n");
  auto r = run_headless(g.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "構文エラー\n不正な命令\"bogus\"です。\n\n3.txt line:2\n\n|numalias a,1\n>bogus \n");
}

TEST(ErrorBox, MissingFileIsPassedOver) {
  GameFolder g;
  g.write_text("0.txt", "*define\nnumalias a,1\n");
  g.write_text("2.txt", "numalias b,2\n\n  wrong\n");
  auto r = run_headless(g.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "構文エラー\n不正な命令\"wrong\"です。\n\n2.txt line:3\n\n|\n>  wrong\n");
}

TEST(ErrorBox, ScrambledScenarioCountsLinesFromTheStart) {
  GameFolder g;
  std::string text = "*define\nnumalias a,1\nbad\n";
  for (char& c : text) c = static_cast<char>(c ^ script::kScrambleKey);
  g.write_bytes("orvana.dat", text);
  auto r = run_headless(g.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "構文エラー\n不正な命令\"bad\"です。\n\n0.txt line:3\n\n|numalias a,1\n>bad\n");
}

TEST(ErrorBox, LocationNeverWalksPastTheTable) {
  testsupport::load_script("a\nb\nc\n");
  script::numbered_files = true;
  for (int32_t& e : script::FileEndTable) e = script::kMissingFile;
  script::FileEndTable[98] = 1;
  interp::ScriptLocation at = interp::locate_position(5);
  EXPECT_EQ(at.file, 98);
  EXPECT_EQ(at.line, 3);
  script::numbered_files = false;
}

TEST(ErrorBox, ExcerptOfAVeryLongLineIsBounded) {
  testsupport::load_script(std::string(100000, 'x'));
  std::string text = interp::compose_error_text("m", 100000);
  EXPECT_LT(text.size(), 2000u);
  EXPECT_EQ(text.substr(0, 16), "m\n\n0.txt line:1\n");
}
