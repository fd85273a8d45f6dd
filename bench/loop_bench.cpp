// Times a counted loop of mov/add/if/sub/next commands run by the
// interpreter, and the same loop in embedded Lua 5.4, in one run.
//
//   bench_loop [iterations]   (default 1000000: 5,000,003 commands)
#include <lua.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "platform/mode.h"
#include "save/logs.h"
#include "script/labels.h"
#include "script/scenario.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

// Five commands per pass (mov, add, if, sub, next); %1 ends equal to the
// number of passes.
std::string scenario(long iterations) {
  return "*define\ngame\n*start\nmov %1, 0\n"
         "for %0 = 1 to " +
         std::to_string(iterations) +
         "\n"
         "mov %2, %0\n"
         "add %1, 2\n"
         "if %2 > 0 sub %1, 1\n"
         "next\n"
         "end\n";
}

const char* const kLuaLoop =
    "local n = ...\n"
    "local v = {}\n"
    "for k = 0, 2 do v[k] = 0 end\n"
    "for i = 1, n do\n"
    "  v[0] = i\n"
    "  v[2] = v[0]\n"
    "  v[1] = v[1] + 2\n"
    "  if v[2] > 0 then v[1] = v[1] - 1 end\n"
    "end\n"
    "return v[1]\n";

// Runs the scenario from loading to `end`; returns the seconds taken.
double run_scenario(const std::string& text, int32_t& result) {
  interp::reset_variable_tables();
  save::log_clear(save::LabelLog);
  interp::quit_requested = false;
  interp::restart_requested = false;
  Clock::time_point start = Clock::now();
  script::set_scenario_text(text);
  script::scan_labels();
  interp::run_loop(1);
  interp::reset_to_start();
  interp::run_loop(0);
  double s = seconds_since(start);
  result = interp::NumericVariables[1];
  return s;
}

double run_lua(long iterations, long long& result) {
  lua_State* L = luaL_newstate();
  luaL_openlibs(L);
  Clock::time_point start = Clock::now();
  if (luaL_loadstring(L, kLuaLoop) != LUA_OK) {
    std::fprintf(stderr, "lua: %s\n", lua_tostring(L, -1));
    std::exit(1);
  }
  lua_pushinteger(L, iterations);
  if (lua_pcall(L, 1, 1, 0) != LUA_OK) {
    std::fprintf(stderr, "lua: %s\n", lua_tostring(L, -1));
    std::exit(1);
  }
  result = lua_tointeger(L, -1);
  double s = seconds_since(start);
  lua_close(L);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  long iterations = argc > 1 ? std::atol(argv[1]) : 1000000;
  if (iterations < 1) iterations = 1;
  platform::headless = true;
  const long commands = iterations * 5 + 3;  // + mov, for and end
  const std::string text = scenario(iterations);

  // Best of five runs each, so that a busy machine disturbs less.
  double orvane = 1e30, lua = 1e30;
  int32_t orvane_result = 0;
  long long lua_result = 0;
  for (int round = 0; round < 5; ++round) {
    double s = run_scenario(text, orvane_result);
    if (s < orvane) orvane = s;
    s = run_lua(iterations, lua_result);
    if (s < lua) lua = s;
  }
  if (orvane_result != iterations || lua_result != iterations) {
    std::fprintf(stderr, "results differ: orvane %d, lua %lld, expected %ld\n", orvane_result, lua_result, iterations);
    return 1;
  }
  std::printf("loop of %ld commands (mov/add/if/sub/next, %ld passes)\n", commands, iterations);
  std::printf("  orvane   %8.3f s  %12.0f commands/s\n", orvane, commands / orvane);
  std::printf("  lua 5.4  %8.3f s  %12.0f commands/s (same statements)\n", lua, commands / lua);
  std::printf("  ratio    orvane takes %.1f times as long as lua\n", orvane / lua);
  return 0;
}
