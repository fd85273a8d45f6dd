// Text commands through the headless program: the text routine, puttext, texton, the line continuation and the error
// boxes.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/game_folder.h"

using testsupport::run_scenario;

namespace {

std::string box(const testsupport::RunResult& r) { return r.err.substr(0, r.err.find("\n\n")); }

std::string game(const std::string& define, const std::string& start) {
  return "*define\n" + define + "game\n*start\n" + start + "\nend\n";
}

TEST(TextRoutine, RunsAtEveryWaitAndTexecFinishesIt) {
  // The routine records ispage and ends the wait with texec; the page wait
  // clears the page, so "う" starts a new one.
  auto r = run_scenario(game("textgosub *tg\n",
                             "あ@い\\う\nputtext $2\nend\n"
                             "*tg\nispage %1\nitoa $3,%1\nadd $2,$3\ntexec\nreturn"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "あい\nう\n01\n");
}

TEST(TextRoutine, AClickWaitAtTheLineEndStartsANewLineAtTexec) {
  auto r = run_scenario(game("textgosub *tg\n", "あ@\nい\nend\n*tg\ntexec\nreturn"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "あ\nい\n");
}

TEST(TextCommands, TheWindowOfTheDefineBlockHoldsInTheGame) {
  auto r = run_scenario(game("setwindow 8,16,3,4,26,26,0,2,0,1,1,#999999,0,0,639,479\n", "あいうえお"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "あいう\nえお\n");
}

TEST(TextCommands, PuttextTextonAndSlash) {
  auto r = run_scenario(game("", "一/\n二\nputtext \"三\"\ntexton\nlocate 0,5\n四"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "一二\n三\n四\n");
}

TEST(TextCommands, LinkcolorAndClickstrBelongToTheDefineBlock) {
  EXPECT_EQ(box(run_scenario(game("", "clickstr \"。\",1"))), "構文エラー\n不正な命令\"clickstr\"です。");
  EXPECT_EQ(run_scenario(game("linkcolor 1,2,3\nclickstr \"、\",2\n", "あ")).status, 0);
}

TEST(TextErrorBoxes, ShownByTheProgram) {
  EXPECT_EQ(box(run_scenario(game("", "textmode 0\nあ"))),
            "エラー！\ntextmodeが非表示設定なのに文字を書こうとしました。");
  EXPECT_EQ(box(run_scenario(game("", "setwindow 8,16,23,2,26,26,0,2,0,1,1,#999999,0,0,639,479\nあ\nい\nう"))),
            "エラー\n文字が枠をはみ出してしまいました。");
  EXPECT_EQ(box(run_scenario(game("", "setwindow 8,16,23,2,26,26,0,2,0,1,1,#999999,0,0,60,479\nあいう"))),
            "エラー！\n文字がウィンドウからはみ出ました");
  EXPECT_EQ(box(run_scenario(game("", "あ/い"))), "エラー\n表示文中の、/の次は改行文字でなければなりません。");
  EXPECT_EQ(box(run_scenario(game("", "setcursor 3,\"c.bmp\",0,0"))),
            "エラー\nカーソルは０（通常）と１（クリック消去用）です。");
}

TEST(TextCommands, GettextSeesThePageShown) {
  auto r = run_scenario(game("", "一行目\n二行目\ngettext $1\ntextclear\nputtext $1"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "一行目\n二行目\n一行目二行目\n");
}

}  // namespace
