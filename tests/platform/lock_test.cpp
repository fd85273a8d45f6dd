#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/lock.h"

using namespace platform;

namespace {

// Runs acquire_instance_lock in a child process: another copy of the program.
bool other_process_gets_lock(const std::string& folder) {
  pid_t pid = fork();
  if (pid == 0) _exit(acquire_instance_lock(folder) ? 0 : 1);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

TEST(InstanceLock, RefusesASecondCopyOfTheSameGameOnly) {
  namespace fs = std::filesystem;
  fs::path root = fs::temp_directory_path() / ("orvane-lock-" + std::to_string(getpid()));
  fs::create_directories(root / "a");
  fs::create_directories(root / "b");
  std::string a = (root / "a").string(), b = (root / "b").string();
  ASSERT_TRUE(acquire_instance_lock(a));
  EXPECT_FALSE(other_process_gets_lock(a));
  EXPECT_FALSE(other_process_gets_lock(a + "/."));  // the same folder by another name
  EXPECT_TRUE(other_process_gets_lock(b));
  EXPECT_NE(instance_lock_path(a), instance_lock_path(b));
  release_instance_lock();
  EXPECT_TRUE(other_process_gets_lock(a));
  fs::remove_all(root);
}
