// tests/support/game_folder: temporary game folders and headless runs of the program.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// A fresh folder under the temporary directory, removed with everything in
// it when the object goes away.
class GameFolder {
 public:
  GameFolder();
  ~GameFolder();
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;

  const std::string& path() const { return path_; }
  // Writes UTF-8 text converted to Shift-JIS (a scenario file, a config...).
  void write_text(const std::string& name, std::string_view utf8) const;
  // Writes bytes unchanged.
  void write_bytes(const std::string& name, std::string_view bytes) const;
  // The bytes of a file in the folder ("" when missing).
  std::string read_file(const std::string& name) const;
  bool exists(const std::string& name) const;

 private:
  std::string path_;
};

struct RunResult {
  int status = -1;  // exit status; -1 when killed (crash or timeout)
  std::string out;  // standard output (the transcript with "--transcript -")
  std::string err;  // standard error, UTF-8
};

// Runs ORVANE_BINARY with `args` and GAME_DIR `dir` last; gives up after
// `timeout_ms` (the child is killed and status is -1).
RunResult run_program(const std::string& dir, const std::vector<std::string>& args, int timeout_ms = 30000);

// Runs `dir` headless with the transcript on standard output.
RunResult run_headless(const std::string& dir);

// Writes `utf8` as 0.txt into a fresh folder and runs it headless.
RunResult run_scenario(std::string_view utf8);

// Runs a scenario made of `defines` in the *define block and `body` after
// *start, followed by end.
RunResult run_game(const std::string& body, const std::string& defines = "");

// The error box's title and message of a run, without location and excerpt.
std::string error_box(const RunResult& r);

}  // namespace testsupport
