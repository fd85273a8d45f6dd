#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/clock.h"
#include "platform/process.h"
#include "platform/sjis.h"

namespace {

namespace fs = std::filesystem;

fs::path scratch(const char* what) {
  fs::path dir = fs::temp_directory_path() / ("orvane-process-" + std::to_string(getpid()) + "-" + what);
  fs::create_directories(dir);
  return dir;
}

bool wait_for_file(const fs::path& p, int ms) {
  for (int t = 0; t < ms; t += 10) {
    if (fs::exists(p)) return true;
    usleep(10000);
  }
  return fs::exists(p);
}

TEST(Process, StartedCommandRunsThroughTheShellAndIsReaped) {
  fs::path dir = scratch("wait");
  fs::path marker = dir / "done";
  int pid = platform::start_command("sleep 0.2; echo ok > '" + marker.string() + "'");
  ASSERT_GT(pid, 0);
  EXPECT_FALSE(platform::child_has_exited(pid));
  int polls = 0;
  while (!platform::child_has_exited(pid) && polls < 500) {
    usleep(10000);
    ++polls;
  }
  EXPECT_TRUE(fs::exists(marker));
  EXPECT_GT(polls, 5);
  // Reaped: the id is no child of ours any more.
  EXPECT_TRUE(platform::child_has_exited(pid));
  fs::remove_all(dir);
}

TEST(Process, CommandLineIsConvertedFromShiftJis) {
  fs::path dir = scratch("sjis");
  int pid = platform::start_command(platform::utf8_to_sjis("touch '" + dir.string() + "/ファイル'"));
  while (!platform::child_has_exited(pid)) usleep(10000);
  EXPECT_TRUE(fs::exists(dir / "ファイル"));
  fs::remove_all(dir);
}

TEST(Process, DetachedCommandDoesNotBlock) {
  fs::path dir = scratch("detached");
  uint32_t before = platform::clock_ms();
  platform::run_command_detached("sleep 0.3; touch '" + dir.string() + "/late'");
  EXPECT_LT(platform::clock_ms() - before, 250u);
  EXPECT_FALSE(fs::exists(dir / "late"));
  EXPECT_TRUE(wait_for_file(dir / "late", 3000));
  fs::remove_all(dir);
}

TEST(Process, DefaultHandlerIsXdgOpenFromThePath) {
  fs::path dir = scratch("open");
  fs::path fake = dir / "xdg-open";
  std::ofstream(fake) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << (dir / "opened").string() << "'\n";
  fs::permissions(fake, fs::perms::owner_all);
  std::string old_path = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", (dir.string() + ":" + old_path).c_str(), 1);
  platform::open_with_default_handler(platform::utf8_to_sjis("https://example.org/ページ"));
  setenv("PATH", old_path.c_str(), 1);
  ASSERT_TRUE(wait_for_file(dir / "opened", 3000));
  usleep(50000);
  std::ifstream in(dir / "opened");
  std::string got((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(got, "https://example.org/ページ");
  fs::remove_all(dir);
}

}  // namespace
