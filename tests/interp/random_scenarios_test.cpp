#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/sjis.h"
#include "tests/support/game_folder.h"

namespace {

// Random games built from the core's commands (no program starts or file
// changes), then damaged a little: whatever comes out, the program ends with
// 0 at `end` or 1 after an error box, and never crashes, hangs or trips the
// sanitizers. Jumps only go forward and loops have literal bounds, so every
// game ends.
class ScenarioMaker {
 public:
  explicit ScenarioMaker(unsigned seed) : rng_(seed) {}

  std::string game() {
    std::string s = "*define\nnumalias na," + range(0, 9) + "\nnumalias nb,3\nstralias sa,\"別名\"\n";
    s += "dim ?1[" + range(0, 4) + "]\ndim ?2[2][3]\n";
    if (chance(3)) s += "intlimit " + range(3, 12) + "," + range(-3, 3) + "," + range(-1, 9) + "\n";
    s += "game\n*start\n";
    for (int part = 1; part <= 4; ++part) {
      for (int n = pick(1, 6); n > 0; --n) s += command(0, part) + "\n";
      s += "*l" + std::to_string(part) + "\n";
    }
    s += "end\n*sub\n" + command(2, 4) + "\nreturn\n";
    return s;
  }

  // A few bytes changed, dropped or added.
  std::string damage(std::string s) {
    static const std::string bytes = "%$?*~:\n\"[]()!@\\,\x81\x82\r\x1a";
    for (int n = pick(0, 3) == 0 ? pick(1, 5) : 0; n > 0 && !s.empty(); --n) {
      size_t at = rng_() % s.size();
      switch (pick(0, 2)) {
        case 0: s[at] = static_cast<char>(rng_() & 0xff); break;
        case 1: s.erase(at, 1); break;
        default: s.insert(at, 1, bytes[rng_() % bytes.size()]);
      }
    }
    return s;
  }

 private:
  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool chance(int one_in) { return pick(1, one_in) == 1; }
  std::string range(int lo, int hi) { return std::to_string(pick(lo, hi)); }
  template <size_t N>
  std::string any(const char* const (&options)[N]) {
    return options[rng_() % N];
  }

  // %0..%2 are the loop variables (one per nesting depth): nothing else
  // stores into them, so every loop ends.
  std::string var() { return "%" + range(3, 12); }
  std::string svar() { return "$" + range(0, 5); }
  std::string num() {
    if (!chance(40)) return any({"0", "7", "-3", "%1", "%%0", "?1[0]", "?2[1][2]", "na", "nb", "+"});
    return any({"?1[-1]", "?2[3][0]", "%4096", "%-1", "99999999999", "1234567890123456789", "sa", "\"x\""});
  }
  std::string str() {
    if (!chance(40)) return any({"\"abc\"", "\"あいう\"", "$0", "$%1", "sa", "[*l1]\"x\"\"y\"", "(\"f\")\"a\"\"b\""});
    return any({"\"\"", "na", "$4096", "\"unterminated"}) + (chance(2) ? "" : "\"" + std::string(255, 'x') + "\"");
  }

  std::string command(int depth, int part) {
    const std::string label = "*l" + std::to_string(part);
    switch (pick(0, 30)) {
      case 0: return "mov " + var() + "," + num();
      case 1: return "mov " + svar() + "," + str();
      case 2: return "add " + var() + "," + num();
      case 3: return "add " + svar() + "," + str();
      case 4: return any({"sub ", "mul ", "div ", "mod ", "rnd "}) + var() + "," + num();
      case 5: return "rnd2 " + var() + "," + num() + "," + num();
      case 6: return "mov" + range(3, 10) + " " + var() + ",1,2,3,4,5,6,7,8,9,10";
      case 7: return "len " + var() + "," + str();
      case 8: return "mid " + svar() + "," + str() + "," + num() + "," + num();
      case 9: return "cmp " + var() + "," + str() + "," + str();
      case 10: return "itoa " + svar() + "," + num() + ":atoi " + var() + "," + str();
      case 11:
        return "if " + num() + any({"==", "!=", "<>", "<", ">=", "!", "?"}) + num() + " " +
               (depth < 2 ? command(depth + 1, part) : "inc %3");
      case 12: return "notif " + str() + "==" + str() + " && " + num() + "<" + num() + " dec %4";
      case 13: return "movl ?1," + num() + "," + num() + "," + num();
      case 14: return "mov ?2[" + num() + "][" + num() + "]," + num();
      case 15: return "date " + var() + "," + var() + "," + var() + ":time %3,%4,%5";
      case 16:
        return "for %" + std::to_string(depth) + "=" + range(0, 3) + " to " + range(0, 4) + "\n" +
               (depth < 2 ? command(depth + 1, part) : "inc %5") + "\nnext";
      case 17: return "gosub *sub";
      case 18: return "if lchk " + label + " mov %3,1:if fchk \"f\" mov %3,2";
      case 19: return "文字" + num() + "と" + svar() + " 終!w%5";
      case 20: return "tablegoto " + range(-1, 2) + "," + label + "," + label;
      case 21: return "jumpf\n~";
      case 22: return "skip " + range(0, 1);
      case 23: return "; " + num();
      case 24: return chance(2) ? "goto " + label : any({"break", "return", "next"});
      default: return "inc " + var();
    }
  }

  std::mt19937 rng_;
};

}  // namespace

TEST(RandomScenarios, EndOrErrorBoxNeverACrash) {
  ScenarioMaker maker(2026);
  int ended = 0, reported = 0;
  for (int round = 0; round < 30; ++round) {
    std::string text = maker.damage(platform::utf8_to_sjis(maker.game()));
    testsupport::GameFolder folder;
    folder.write_bytes("0.txt", text);
    auto r = testsupport::run_program(folder.path(), {"--headless", "--transcript", "-"}, 10000);
    ASSERT_TRUE(r.status == 0 || r.status == 1) << "status " << r.status << "\n"
                                                << platform::sjis_to_utf8(text) << "\n"
                                                << r.err;
    EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << r.err;
    (r.status == 0 ? ended : reported)++;
  }
  // Both outcomes occur, so the games do reach their end.
  EXPECT_GT(ended, 0);
  EXPECT_GT(reported, 0);
}
