// Save files: the snapshot, the file's field order, loading back, the
// position encoding, and files that are damaged or made for another game.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "graphics/effect_commands.h"
#include "graphics/overlays.h"
#include "graphics/screen.h"
#include "interp/control_flow.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/variables.h"
#include "platform/sjis.h"
#include "save/save_file.h"
#include "save/save_point.h"
#include "tests/save/save_fixture.h"
#include "tests/support/script_fixture.h"
#include "text/lookback.h"
#include "text/message_window.h"
#include "text/output.h"

using graphics::TheScreen;
using testsupport::fatal_of;

namespace {

const char kGame[] =
    "*start\n"
    "mov %0,1:mov %1,2\n"
    "あいう@\n"
    "*next\n"
    "end\n";

// Little-endian ints and NUL-terminated texts, as the file holds them.
struct Bytes {
  std::string b;
  Bytes& i(int32_t v) {
    for (int k = 0; k < 4; ++k) b += static_cast<char>(static_cast<uint32_t>(v) >> (8 * k));
    return *this;
  }
  Bytes& t(const std::string& s) {
    b += s;
    b += '\0';
    return *this;
  }
};

class SaveFiles : public testsupport::SaveTest {
 protected:
  void SetUp() override {
    SaveTest::SetUp();
    scenario(kGame);
  }

  // A state that touches every kind of field.
  void make_state() {
    text::MessageWindow& w = text::message_window;
    w.text_colour[0] = 10, w.text_colour[1] = 20, w.text_colour[2] = 30;
    w.columns = 20;
    w.text_speed = 33;
    text::cursor_tags[1] = "red.bmp";
    graphics::set_background_colour(0x102030, "#102030");
    graphics::load_standing(1, "red.bmp");
    graphics::load_sprite(7, ":a/3,100,0;cells.bmp", 5, 6, -1, true);
    graphics::set_sprite_cell(7, 2);
    graphics::load_sprite(255, "red.bmp", -3, 400, -1, false);
    interp::NumericVariables[5] = -77;
    interp::set_string_variable(199, platform::utf8_to_sjis("しおり"));
    interp::NumericVariables[200] = 9;  // global: not in the file
    int32_t maxima[2] = {2, 3};
    interp::declare_array(4, maxima, 2);
    interp::array_at(0).data[11] = 123;
    interp::CallStack.count = 2;
    interp::CallStack.slot[0] = 3;
    interp::CallStack.slot[1] = 7;
    graphics::BarTable[3] = {50, 10, 20, 100, 8, 100, 0xff00ff};
    graphics::NumberTable[99] = {7, 1, 2, 8, 16, 0xffffff};
    save::stored_music.midi_name = "bgm.mid";
    save::stored_music.stream_saved = 1;
    save::stored_music.stream_name = "song.mp3";
    text::append_text_bytes(0x82, 0xa0);
  }
};

TEST_F(SaveFiles, SavingTwiceGivesTheSameBytesAndLoadingThenSavingReproducesThem) {
  make_state();
  int32_t after_colon = offset_of("mov %1,2");
  save::take_save_point_at(after_colon);
  save::write_save_file(1);
  interp::NumericVariables[5] = 1;  // no new save point: the file does not change
  text::append_text_bytes(0x82, 0xa2);
  save::write_save_file(2);
  std::string first = file("save1.dat");
  ASSERT_GT(first.size(), 4000u);
  EXPECT_EQ(file("save2.dat"), first);

  // Another game state, then the load brings the saved one back.
  graphics::clear_sprite(-1);
  graphics::set_background_colour(0xffffff, "white");
  interp::CallStack.count = 0;
  interp::array_at(0).data[11] = 0;
  interp::set_string_variable(199, "");
  graphics::BarTable[3].x = -1;
  save::stored_music = save::MusicFields();
  interp::ScriptPosition = 0;
  ASSERT_TRUE(save::load_save_file(1));
  EXPECT_EQ(interp::ScriptPosition, after_colon);
  EXPECT_EQ(interp::NumericVariables[5], -77);
  EXPECT_EQ(interp::StringVariables[199], platform::utf8_to_sjis("しおり"));
  EXPECT_EQ(interp::NumericVariables[200], 9);
  EXPECT_EQ(interp::array_at(0).data[11], 123);
  EXPECT_EQ(interp::CallStack.count, 2);
  EXPECT_EQ(interp::CallStack.slot[1], 7);
  EXPECT_EQ(TheScreen.background_text, "#102030");
  EXPECT_EQ(TheScreen.standing[1].tag, "red.bmp");
  EXPECT_EQ(TheScreen.sprites[7].tag, ":a/3,100,0;cells.bmp");
  EXPECT_EQ(TheScreen.sprites[7].image.current_cell, 2);
  EXPECT_TRUE(TheScreen.sprites[7].visible);
  EXPECT_EQ(TheScreen.sprites[255].x, -3);
  EXPECT_FALSE(TheScreen.sprites[255].visible);
  EXPECT_EQ(graphics::BarTable[3].width, 100);
  EXPECT_EQ(graphics::NumberTable[99].h, 16);
  EXPECT_EQ(save::stored_music.stream_name, "song.mp3");
  EXPECT_EQ(text::message_window.text_speed, 33);
  EXPECT_EQ(text::message_window.text_colour[2], 30);
  EXPECT_EQ(text::cursor_tags[1], "red.bmp");
  // The history is the one saved (one character after the page mark), not
  // the one written after the snapshot.
  EXPECT_EQ(text::lookback.write_pos, 3);
  // The pictures are on the display: the background colour and the sprite.
  const uint8_t* p = TheScreen.display.row(470) + 3 * 600;
  EXPECT_EQ(p[0], 0x30);
  EXPECT_EQ(p[2], 0x10);

  // The load took a new save point: saving now writes the loaded file again.
  save::write_save_file(3);
  EXPECT_EQ(file("save3.dat"), first);
}

TEST_F(SaveFiles, FieldsFollowTheFileOrder) {
  text::MessageWindow& w = text::message_window;
  w.text_colour[0] = 1, w.text_colour[1] = 2, w.text_colour[2] = 3;  // written R, B, G
  text::cursor_tags[0] = "c0";
  graphics::window_effect = {10, 500, "m.bmp"};
  w.background_image = "win";
  w.background_colour = -1;
  text::cursor_placement[1] = {4, 5, 1};
  graphics::load_sprite(0, "red.bmp", 11, 12, -1, true);
  interp::NumericVariables[0] = 42;
  interp::StringVariables[1] = "s";
  interp::CallStack.count = 1;
  interp::CallStack.slot[0] = 99;
  TheScreen.tone_red = 7, TheScreen.tone_green = 8, TheScreen.tone_blue = 9;
  TheScreen.monochrome = true;
  save::stored_music = {"a.mid", "b.wav", 3, 1, 0, 1, 1, 0, "lost.mp3"};  // not mp3save: no stream name
  save::stored_menu_fields = {2, "btn.bmp"};
  int32_t maxima[1] = {1};
  interp::declare_array(0, maxima, 1);
  interp::array_at(0).data[1] = -1;
  graphics::effect_settings.speed = 2;
  save::take_save_point_at(offset_of("あいう"));

  Bytes e;
  e.i(1).i(w.bold).i(w.shadow).i(text::lookback.write_pos).i(2).i(1).i(3).i(2).t("c0").t("");
  e.i(10).i(500).t("m.bmp");
  e.i(w.text_origin_x).i(w.text_origin_y).i(w.columns).i(w.rows).i(w.glyph_width).i(w.glyph_height);
  e.i(w.pitch_x).i(w.pitch_y).i(-1).i(w.text_speed);
  e.i(w.window_left).i(w.window_top).i(w.window_right).i(w.window_bottom).t("win");
  e.i(0).i(1).i(0).i(4).i(0).i(5);
  e.t("black").t("").t("").t("").i(0).i(0).i(0).i(0).i(0).i(0).i(0).i(0).i(0);
  e.t("red.bmp").i(11).i(12).i(1).i(0);
  for (int i = 1; i < 256; ++i) e.t("").i(0).i(0).i(0).i(0);
  e.i(42).t("").i(0).t("s");
  for (int i = 2; i < 200; ++i) e.i(0).t("");
  e.i(1).i(99);
  e.i(1).i(9).i(8).i(7).i(0);
  e.t("a.mid").t("b.wav").i(3).i(1).i(0).i(1).i(1).i(0).t("");
  e.i(w.erase_window_on_effect).i(w.text_visible);
  for (int i = 0; i < 100; ++i) e.i(0).i(-1).i(0).i(0).i(0).i(0).i(0);
  for (int i = 0; i < 100; ++i) e.i(0).i(-1).i(0).i(0).i(0).i(0);
  e.i(w.menu_speed_index).i(0).i(1).t("btn.bmp");
  e.i(0).i(-1);
  e.i(2).i(w.keep_window_for_layers);
  ASSERT_EQ(save::completed_snapshot().substr(0, e.b.size()), e.b);
  // The tail: the history as a string, then line 2 and no ':'.
  std::string tail = save::completed_snapshot().substr(e.b.size());
  ASSERT_EQ(tail.size(), text::kLookbackSize + 1 + 8u);
  EXPECT_EQ(tail[0], text::kLookbackPageMark);
  EXPECT_EQ(tail.substr(tail.size() - 8), Bytes().i(2).i(0).b);
}

TEST_F(SaveFiles, PositionsAreLinesAndColons) {
  int32_t line, colons;
  save::position_to_line_and_colons(0, line, colons);
  EXPECT_EQ(line, 0);
  EXPECT_EQ(colons, 0);
  int32_t second = offset_of("mov %0");
  save::position_to_line_and_colons(second, line, colons);
  EXPECT_EQ(line, 1);
  EXPECT_EQ(colons, 0);  // the start of a line
  save::position_to_line_and_colons(offset_of("mov %1"), line, colons);
  EXPECT_EQ(colons, 1);  // after one command and its ':'
  save::position_to_line_and_colons(offset_of(":mov %1"), line, colons);
  EXPECT_EQ(colons, 1);  // the byte at the position counts
  EXPECT_EQ(save::line_and_colons_to_position(1, 0), second);
  EXPECT_EQ(save::line_and_colons_to_position(1, 1), offset_of("mov %1"));
  EXPECT_EQ(save::line_and_colons_to_position(0, 0), 0);
  // Every line start and every position after a ':' comes back as it was.
  for (int32_t p = 0; p < script::scenario_length; ++p) {
    char before = p ? script::ScriptBuffer[p - 1] : '\n';
    if (before != '\n' && before != ':') continue;
    save::position_to_line_and_colons(p, line, colons);
    EXPECT_EQ(save::line_and_colons_to_position(line, colons), p) << p;
  }
  EXPECT_EQ(save::line_and_colons_to_position(1, 2), -1);  // the line has one ':'
  EXPECT_EQ(save::line_and_colons_to_position(6, 0), -1);  // five lines
  EXPECT_EQ(save::line_and_colons_to_position(-1, 0), -1);
}

TEST_F(SaveFiles, MissingOldTruncatedAndDamagedFiles) {
  EXPECT_FALSE(save::load_save_file(4));  // no file: nothing happens
  make_state();
  save::take_save_point_at(offset_of("*next"));
  save::write_save_file(1);
  const std::string good = file("save1.dat");
  const std::string corrupt = "エラー|セーブデータが壊れています。";

  // A scenario whose saved line is gone.
  scenario("*start\nend\n");
  interp::declare_array(4, std::array<int32_t, 2>{2, 3}.data(), 2);
  EXPECT_EQ(fatal_of([] { save::load_save_file(1); }), corrupt);
  scenario(kGame);
  interp::declare_array(4, std::array<int32_t, 2>{2, 3}.data(), 2);

  // Cut short: missing ints read 0 and texts empty; the position becomes
  // line 0, colon 0 (or the box when only part of it is there).
  for (size_t cut : {size_t{0}, size_t{3}, size_t{4}, size_t{100}, size_t{5000}, good.size() - 4, good.size() - 1}) {
    gtest_graphics::write_file("save2.dat", std::vector<uint8_t>(good.begin(), good.begin() + cut));
    std::string box = fatal_of([] { ASSERT_TRUE(save::load_save_file(2)); });
    if (box.empty()) {
      int32_t line, colons;
      save::position_to_line_and_colons(interp::ScriptPosition, line, colons);
      EXPECT_TRUE(interp::ScriptPosition == 0 || cut >= good.size() - 4) << cut;
    } else {
      EXPECT_EQ(box, corrupt) << cut;
    }
  }

  // An older format: no bars and numbers, the rest read in order.
  Bytes old;
  old.i(0);
  size_t bars = good.find(Bytes().i(50).i(10).i(20).i(100).b);
  ASSERT_NE(bars, std::string::npos);
  size_t bars_start = bars - 3 * 28;  // slot 3 of 100 seven-int slots
  std::string older = old.b + good.substr(4, bars_start - 4) + good.substr(bars_start + 100 * 28 + 100 * 24);
  gtest_graphics::write_file("save3.dat", std::vector<uint8_t>(older.begin(), older.end()));
  graphics::BarTable[3].x = 77;
  ASSERT_TRUE(save::load_save_file(3));
  EXPECT_EQ(graphics::BarTable[3].x, -1);
  EXPECT_EQ(interp::array_at(0).data[11], 123);
  EXPECT_EQ(interp::ScriptPosition, offset_of("*next"));

  // A call stack of impossible size or with a position past the scenario.
  std::string stack_count = Bytes().i(2).i(3).i(7).b;
  size_t at = good.find(stack_count);
  ASSERT_NE(at, std::string::npos);
  for (const std::string& bad : {Bytes().i(100000).b, Bytes().i(-1).b}) {
    std::string f = good;
    f.replace(at, 4, bad);
    gtest_graphics::write_file("save4.dat", std::vector<uint8_t>(f.begin(), f.end()));
    EXPECT_EQ(fatal_of([] { save::load_save_file(4); }), corrupt);
  }
  std::string f = good;
  f.replace(at + 8, 4, Bytes().i(1 << 30).b);
  gtest_graphics::write_file("save4.dat", std::vector<uint8_t>(f.begin(), f.end()));
  EXPECT_EQ(fatal_of([] { save::load_save_file(4); }), corrupt);
}

// Mutated save files: each loads, or ends in an error box; never anything
// else (the sanitizer build checks every access).
TEST_F(SaveFiles, FuzzedFilesNeverCrash) {
  make_state();
  save::take_save_point_at(offset_of("あいう"));
  save::write_save_file(1);
  const std::string good = file("save1.dat");
  std::mt19937 rng(12);
  int loaded = 0, boxes = 0;
  for (int round = 0; round < 150; ++round) {
    std::string f = good;
    int edits = 1 + rng() % 8;
    for (int k = 0; k < edits; ++k) {
      size_t at = rng() % f.size();
      switch (rng() % 5) {
        case 0: f[at] = static_cast<char>(rng()); break;
        case 1: f[at] = '\0'; break;
        case 2: f.replace(at, std::min<size_t>(4, f.size() - at), Bytes().i(static_cast<int32_t>(rng())).b); break;
        case 3: f.insert(at, std::string(rng() % 300, static_cast<char>('A' + rng() % 26))); break;
        case 4: f.erase(at, rng() % 64); break;
      }
      if (f.empty()) f = "x";
    }
    gtest_graphics::write_file("save5.dat", std::vector<uint8_t>(f.begin(), f.end()));
    std::string box = fatal_of([] { save::load_save_file(5); });
    (box.empty() ? loaded : boxes)++;
    EXPECT_GE(interp::ScriptPosition, 0);
    EXPECT_LE(interp::ScriptPosition, script::scenario_length);
  }
  EXPECT_GT(loaded, 0);
  EXPECT_GT(boxes, 0);
}

TEST_F(SaveFiles, ASavePointBeforeCommandsIsTakenWhenThePageTopEnds) {
  interp::ScriptPosition = offset_of("mov %0");
  save::save_point_pass();
  EXPECT_TRUE(save::save_point_noted());  // a command: only noted
  interp::NumericVariables[0] = 1;        // what that command does
  interp::ScriptPosition = offset_of("あいう");
  save::save_point_pass();
  EXPECT_FALSE(save::save_point_noted());  // a text line: taken at once
  interp::NumericVariables[0] = 2;
  text::message_window.column = 3;  // the page has begun
  interp::ScriptPosition = offset_of("*next");
  save::save_point_pass();
  save::write_save_file(1);
  ASSERT_TRUE(save::load_save_file(1));
  EXPECT_EQ(interp::ScriptPosition, offset_of("あいう"));
  EXPECT_EQ(interp::NumericVariables[0], 1);

  // Without the save-point flag no pass is one.
  interp::save_point_flag = false;
  text::message_window.column = 0;
  interp::ScriptPosition = offset_of("mov %0");
  save::save_point_pass();
  EXPECT_FALSE(save::save_point_noted());
  interp::save_point_flag = true;
}

}  // namespace
