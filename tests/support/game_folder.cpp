#include "tests/support/game_folder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/sjis.h"

namespace testsupport {

namespace fs = std::filesystem;

GameFolder::GameFolder() {
  std::string pattern = (fs::temp_directory_path() / "orvane-test-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  if (made) path_ = made;
}

GameFolder::~GameFolder() {
  std::error_code ec;
  if (!path_.empty()) fs::remove_all(path_, ec);
}

void GameFolder::write_text(const std::string& name, std::string_view utf8) const {
  write_bytes(name, platform::utf8_to_sjis(utf8));
}

void GameFolder::write_bytes(const std::string& name, std::string_view bytes) const {
  fs::path p = fs::path(path_) / name;
  fs::create_directories(p.parent_path());
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string GameFolder::read_file(const std::string& name) const {
  std::ifstream f(fs::path(path_) / name, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

bool GameFolder::exists(const std::string& name) const { return fs::exists(fs::path(path_) / name); }

namespace {

std::string slurp(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

}  // namespace

RunResult run_program(const std::string& dir, const std::vector<std::string>& args, int timeout_ms) {
  RunResult result;
  GameFolder scratch;  // holds the captured output
  std::string out_path = scratch.path() + "/stdout";
  std::string err_path = scratch.path() + "/stderr";
  std::vector<std::string> argv_s;
  argv_s.push_back(ORVANE_BINARY);
  argv_s.insert(argv_s.end(), args.begin(), args.end());
  if (!dir.empty()) argv_s.push_back(dir);
  std::vector<char*> argv;
  for (auto& a : argv_s) argv.push_back(a.data());
  argv.push_back(nullptr);

  pid_t pid = fork();
  if (pid == 0) {
    int in = open("/dev/null", O_RDONLY);
    int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (true) {
    pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) break;
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      status = -1;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (status != -1 && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  result.out = slurp(out_path);
  result.err = slurp(err_path);
  return result;
}

RunResult run_headless(const std::string& dir) { return run_program(dir, {"--headless", "--transcript", "-"}); }

RunResult run_scenario(std::string_view utf8) {
  GameFolder game;
  game.write_text("0.txt", utf8);
  return run_headless(game.path());
}

}  // namespace testsupport

namespace testsupport {

RunResult run_game(const std::string& body, const std::string& defines) {
  return run_scenario("*define\n" + defines + "game\n*start\n" + body + "\nend\n");
}

std::string error_box(const RunResult& r) { return r.err.substr(0, r.err.find("\n\n")); }

}  // namespace testsupport
