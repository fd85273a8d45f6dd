#include "fuzz/child_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fuzz {

namespace {
pid_t driver_pid = 0;
std::string folder;

void remove_scratch() {
  // A child leaving through exit() runs the handlers it inherited.
  if (getpid() != driver_pid) return;
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}
}  // namespace

const std::string& scratch_folder() {
  if (folder.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
      std::perror("mkdtemp");
      std::abort();
    }
    folder = pattern;
    driver_pid = getpid();
    std::atexit(remove_scratch);
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    setenv("TMPDIR", folder.c_str(), 1);
  }
  return folder;
}

void run_program_in_child(const std::string& dir, const std::vector<std::string>& options,
                          const std::vector<int>& allowed, unsigned seconds) {
  std::string output = scratch_folder() + "/output";
  std::fflush(nullptr);
  pid_t pid = fork();
  if (pid < 0) {
    std::perror("fork");
    std::abort();
  }
  if (pid == 0) {
    // The fuzzer's own handlers stay with the fuzzer.
    for (int s : {SIGALRM, SIGSEGV, SIGBUS, SIGABRT, SIGILL, SIGFPE, SIGINT, SIGTERM}) signal(s, SIG_DFL);
    int null = open("/dev/null", O_RDWR);
    int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(null, 0);
    dup2(null, 1);
    dup2(out, 2);
    alarm(seconds);
    // A sanitizer report ends the program with a signal the driver sees.
    setenv("ASAN_OPTIONS", "abort_on_error=1", 0);
    setenv("UBSAN_OPTIONS", "abort_on_error=1:print_stacktrace=1", 0);
    std::vector<std::string> args = {ORVANE_BINARY};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(dir);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && std::find(allowed.begin(), allowed.end(), WEXITSTATUS(status)) != allowed.end()) return;
  std::ifstream in(output);
  std::stringstream text;
  text << in.rdbuf();
  std::cerr << text.str() << "\n";
  if (WIFSIGNALED(status))
    std::cerr << "the program ended by signal " << WTERMSIG(status)
              << (WTERMSIG(status) == SIGALRM ? " (over the time limit: a hang)" : "") << "\n";
  else
    std::cerr << "the program ended with status " << WEXITSTATUS(status) << "\n";
  std::abort();
}

}  // namespace fuzz
