#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/lock.h"
#include "tests/support/game_folder.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {

// Runs acquire_instance_lock in a child process: another copy of the program
// (which gives its lock back as it ends).
bool other_process_gets_lock(const std::string& folder) {
  pid_t pid = fork();
  if (pid == 0) {
    bool got = acquire_instance_lock(folder);
    release_instance_lock();
    _exit(got ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Points $XDG_RUNTIME_DIR at a fresh folder for the test's life.
struct RuntimeDir {
  testsupport::GameFolder dir;
  std::string saved;
  bool had = false;
  RuntimeDir() {
    if (const char* v = std::getenv("XDG_RUNTIME_DIR")) saved = v, had = true;
    setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
  }
  ~RuntimeDir() {
    if (had)
      setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    else
      unsetenv("XDG_RUNTIME_DIR");
  }
  bool empty() const { return fs::is_empty(dir.path()); }
};

}  // namespace

TEST(InstanceLock, RefusesASecondCopyOfTheSameGameOnlyAndRemovesItsFile) {
  RuntimeDir runtime;
  testsupport::GameFolder root;
  fs::create_directories(root.path() + "/a");
  fs::create_directories(root.path() + "/b");
  std::string a = root.path() + "/a", b = root.path() + "/b";
  EXPECT_EQ(fs::path(instance_lock_path(a)).parent_path(), fs::path(runtime.dir.path()));
  ASSERT_TRUE(acquire_instance_lock(a));
  EXPECT_TRUE(fs::exists(instance_lock_path(a)));
  EXPECT_FALSE(other_process_gets_lock(a));
  EXPECT_FALSE(other_process_gets_lock(a + "/."));  // the same folder by another name
  EXPECT_TRUE(other_process_gets_lock(b));
  EXPECT_TRUE(fs::exists(instance_lock_path(a)));  // a child that took b left a's file alone
  EXPECT_NE(instance_lock_path(a), instance_lock_path(b));
  release_instance_lock();
  EXPECT_TRUE(runtime.empty());
  EXPECT_TRUE(other_process_gets_lock(a));

  // A file that its holder removed after we opened it is not a lock: the
  // next copy locks the file the path names now.
  std::string path = instance_lock_path(a);
  ASSERT_TRUE(acquire_instance_lock(a));
  fs::remove(path);
  EXPECT_TRUE(other_process_gets_lock(a));
  release_instance_lock();
}

TEST(InstanceLock, RunsOfTheProgramLeaveNoLockFile) {
  RuntimeDir runtime;
  testsupport::GameFolder game;
  game.write_text("0.txt", "*define\ngame\n*start\nあ\nend\n");
  EXPECT_EQ(testsupport::run_headless(game.path()).status, 0);
  game.write_text("0.txt", "*define\ngame\n*start\ngoto *nowhere\n");
  EXPECT_EQ(testsupport::run_headless(game.path()).status, 1);  // an error box ends it
  EXPECT_TRUE(runtime.empty());
}
