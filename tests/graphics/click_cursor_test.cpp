#include <gtest/gtest.h>

#include "graphics/click_cursor.h"
#include "graphics/screen.h"
#include "graphics_test_util.h"

using namespace gtest_graphics;
using graphics::ClickCursors;
using graphics::TheScreen;

namespace {

class ClickCursor : public GameFolder {
 protected:
  void SetUp() override {
    GameFolder::SetUp();
    graphics::TheScreen = graphics::Screen();
    graphics::reset_screen(64, 48);
    ClickCursors[0] = graphics::ImageRecord();
    ClickCursors[1] = graphics::ImageRecord();
  }
  uint32_t display_at(int x, int y) {
    const uint8_t* p = TheScreen.display.row(y) + 3 * x;
    return uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
  }
};

TEST_F(ClickCursor, MissingCursorsAreBlank) {
  graphics::load_click_cursors();
  EXPECT_EQ(ClickCursors[0].surface.width, 2);
  EXPECT_EQ(ClickCursors[1].cell_count, 3);
  EXPECT_FALSE(graphics::loader_settings.blank_on_missing);
}

TEST_F(ClickCursor, JpegmodeTriesTheJpgAndElseStops) {
  graphics::loader_settings.jpegmode = true;
  std::vector<uint8_t> pixels;
  write_file("cursor0.jpg", encode_jpeg(30, 10, 3, pixels));
  try {
    graphics::load_click_cursors();
    FAIL();
  } catch (const ErrorBox& e) {
    EXPECT_EQ(e.title, "ロードエラー(JPEGMODE)");
    EXPECT_EQ(e.text.substr(0, e.text.find('\n')), ":l/3,160,2;cursor1.jpg");
  }
  EXPECT_EQ(ClickCursors[0].surface.width, 30);
}

TEST_F(ClickCursor, AnimatesOverItsBackdropAndRestoresIt) {
  // Three 4 x 4 cells: key colour at the top-left, cell colours elsewhere.
  write_file("cursor0.bmp", make_bmp(12, 4, 24, [](int x, int y) {
               return x == 0 && y == 0 ? 0x000000u : x < 4 ? 0x110000u : x < 8 ? 0x220000u : 0x330000u;
             }));
  graphics::load_click_cursors();
  std::fill(TheScreen.display.pixels.begin(), TheScreen.display.pixels.end(), 0x08);
  ClickCursors[0].last_step_ms = 0;
  graphics::save_cursor_backdrop(0, 10, 10);
  EXPECT_FALSE(graphics::step_click_cursor(0, 10, 10, 100));  // 160 ms not passed
  EXPECT_EQ(display_at(11, 11), 0x080808u);
  EXPECT_TRUE(graphics::step_click_cursor(0, 10, 10, 200));
  EXPECT_EQ(display_at(11, 11), 0x220000u);  // cell 1
  EXPECT_TRUE(graphics::step_click_cursor(0, 10, 10, 400));
  EXPECT_EQ(display_at(11, 11), 0x330000u);
  graphics::restore_cursor_backdrop();
  EXPECT_EQ(display_at(11, 11), 0x080808u);
  EXPECT_EQ(display_at(14, 14), 0x080808u);
  // A cursor of one cell never shows.
  write_file("one.bmp", solid_bmp(4, 4, 0xffffff));
  graphics::load_image_tag(ClickCursors[1], ":c;one.bmp");
  EXPECT_FALSE(graphics::step_click_cursor(1, 0, 0, 100000));
}

}  // namespace
