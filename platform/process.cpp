#include "platform/process.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/sjis.h"

namespace platform {

namespace {

// Everything the child needs is prepared before fork: after it only
// async-signal-safe calls are made (the engine may have other threads).
struct Launch {
  const char* file;
  char* const* argv;
  bool search_path;
};

[[noreturn]] void exec_child(const Launch& launch, int devnull) {
  // The child must not read the player's terminal nor write into our
  // standard output, which may carry the transcript.
  if (devnull >= 0) {
    dup2(devnull, STDIN_FILENO);
    dup2(devnull, STDOUT_FILENO);
  }
  if (launch.search_path)
    execvp(launch.file, launch.argv);
  else
    execv(launch.file, launch.argv);
  _exit(127);
}

// Starts the program so that it is no child of ours once running (the
// intermediate process exits at once and is reaped here), so no zombie is
// left behind and nothing waits for it.
void spawn_detached(const Launch& launch) {
  int devnull = open("/dev/null", O_RDWR | O_CLOEXEC);
  pid_t pid = fork();
  if (pid == 0) {
    setsid();
    pid_t grandchild = fork();
    if (grandchild == 0) exec_child(launch, devnull);
    _exit(grandchild < 0 ? 1 : 0);
  }
  if (devnull >= 0) close(devnull);
  if (pid > 0)
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

void open_with_default_handler(std::string_view sjis_target) {
  std::string target = sjis_to_utf8(sjis_target);
  char* argv[] = {const_cast<char*>("xdg-open"), target.data(), nullptr};
  spawn_detached({"xdg-open", argv, true});
}

void run_command_detached(std::string_view sjis_command) {
  std::string command = sjis_to_utf8(sjis_command);
  char* argv[] = {const_cast<char*>("sh"), const_cast<char*>("-c"), command.data(), nullptr};
  spawn_detached({"/bin/sh", argv, false});
}

int start_command(std::string_view sjis_command) {
  std::string command = sjis_to_utf8(sjis_command);
  char* argv[] = {const_cast<char*>("sh"), const_cast<char*>("-c"), command.data(), nullptr};
  Launch launch{"/bin/sh", argv, false};
  int devnull = open("/dev/null", O_RDWR | O_CLOEXEC);
  pid_t pid = fork();
  if (pid == 0) exec_child(launch, devnull);
  if (devnull >= 0) close(devnull);
  return pid < 0 ? -1 : static_cast<int>(pid);
}

bool child_has_exited(int pid) {
  if (pid <= 0) return true;
  pid_t r;
  do {
    r = waitpid(pid, nullptr, WNOHANG);
  } while (r < 0 && errno == EINTR);
  return r != 0;
}

}  // namespace platform
