#include <gtest/gtest.h>

#include "graphics/image_tag.h"
#include "graphics_test_util.h"
#include "interp/variables.h"

using graphics::ImageRecord;
using namespace gtest_graphics;

namespace {

class TagParsing : public GameFolder {
 protected:
  graphics::TagParts parse(const std::string& tag) {
    r = ImageRecord();
    return graphics::parse_image_tag(r, tag);
  }
  // The error box a tag raises, as "title|message".
  std::string error_of(const std::string& tag) {
    return box_of([&] { parse(tag); });
  }
  ImageRecord r;
};

TEST_F(TagParsing, PlainNamesTakeTheDefaultMode) {
  EXPECT_EQ(parse("bg\\a.bmp").file, "bg\\a.bmp");
  EXPECT_EQ(r.trans_mode, graphics::kTransLeftTop);
  graphics::loader_settings.default_trans_mode = graphics::kTransCopy;
  parse("a.bmp");
  EXPECT_EQ(r.trans_mode, graphics::kTransCopy);
  EXPECT_EQ(r.cell_count, 1);
}

TEST_F(TagParsing, KindCharactersChooseTheMode) {
  parse(":l;a.bmp");
  EXPECT_EQ(r.trans_mode, 0);
  parse(": \tr;a.bmp");
  EXPECT_EQ(r.trans_mode, 4);
  parse(":a;a.bmp");
  EXPECT_EQ(r.trans_mode, 1);
  parse(":c;a.bmp");
  EXPECT_EQ(r.trans_mode, 3);
  EXPECT_EQ(parse(":c;a.bmp").file, "a.bmp");
  // An unknown kind keeps the default and is scanned over.
  graphics::loader_settings.default_trans_mode = 3;
  EXPECT_EQ(parse(":x;b.bmp").file, "b.bmp");
  EXPECT_EQ(r.trans_mode, 3);
}

TEST_F(TagParsing, ColourAndIndexKeys) {
  parse(":#75FE1B;a.bmp");
  EXPECT_EQ(r.trans_mode, 2);
  EXPECT_EQ(r.key_red, 0x75);
  EXPECT_EQ(r.key_green, 0xfe);
  EXPECT_EQ(r.key_blue, 0x1b);
  parse(":!17;a.bmp");
  EXPECT_EQ(r.trans_mode, 2);
  EXPECT_EQ(r.key_index, 17);
  EXPECT_EQ(graphics::parse_html_colour("a0B1c2"), 0xa0b1c2);
}

TEST_F(TagParsing, CellGroupWithIntervalAndMode) {
  EXPECT_EQ(parse(":l/3,160,2;cursor0.bmp").file, "cursor0.bmp");
  EXPECT_EQ(r.cell_count, 3);
  EXPECT_EQ(r.cell_interval_ms, 160);
  EXPECT_EQ(r.anim_mode, graphics::kAnimPingPong);
  parse(":a/4,50,3;x.bmp");
  EXPECT_EQ(r.cell_interval_ms, graphics::kManualInterval);
  EXPECT_EQ(r.anim_mode, 3);
}

TEST_F(TagParsing, IntervalListsGivePerCellTimes) {
  parse(":c/2,<100,300>,0;f.bmp");
  EXPECT_EQ(r.cell_interval_ms, -1);
  EXPECT_EQ(r.cell_intervals, (std::vector<int>{100, 300}));
  // Any single character separates the numbers.
  parse(":c/3,<5 6x7>,1;f.bmp");
  EXPECT_EQ(r.cell_intervals, (std::vector<int>{5, 6, 7}));
  EXPECT_EQ(r.anim_mode, 1);
}

TEST_F(TagParsing, MaskNameEndsAtSlashOrSemicolon) {
  auto parts = parse(":mmask.bmp;pic.bmp");
  EXPECT_EQ(parts.mask, "mask.bmp");
  EXPECT_EQ(parts.file, "pic.bmp");
  EXPECT_EQ(r.trans_mode, 3);
  parts = parse(":mm2.bmp/2,10,0;pic.bmp");
  EXPECT_EQ(parts.mask, "m2.bmp");
  EXPECT_EQ(r.cell_count, 2);
}

TEST_F(TagParsing, MalformedTagsAreTagErrors) {
  const std::string tag_error = "タグエラー|タグの指定がおかしいです。";
  EXPECT_EQ(error_of(":l/3"), tag_error);
  EXPECT_EQ(error_of(":l/3,100"), tag_error);
  EXPECT_EQ(error_of(":l/2,<100"), tag_error);
  EXPECT_EQ(error_of(":l/2,<100,300x,0;a.bmp"), tag_error);
  EXPECT_EQ(error_of(":l a.bmp"), tag_error);  // no ';'
  EXPECT_EQ(error_of(":l/1,<5>,0;a.bmp"), "");
}

TEST_F(TagParsing, BadColoursAreSyntaxErrors) {
  const std::string colour_error =
      "構文エラー|カラー指定が間違っています。HTMLと同じ形式（例：#75fe1b）で指定してください。";
  EXPECT_EQ(error_of(":#75fe1;a.bmp"), colour_error);
  EXPECT_EQ(error_of(":#12"), colour_error);
  EXPECT_EQ(error_of(":#gg0000;a.bmp"), colour_error);
}

TEST_F(TagParsing, StringSpritesNeedAColour) {
  try {
    graphics::decode_image_tag(r, ":sabc");
    FAIL();
  } catch (const ErrorBox& e) {
    EXPECT_EQ(e.text.substr(0, e.text.find('\n')), "画像タグ:sの次は色指定#rrggbbです。");
  }
  EXPECT_THROW(graphics::decode_image_tag(r, ":s/24,24#ff0000"), ErrorBox);
  EXPECT_THROW(graphics::decode_image_tag(r, ":s/24;#ff0000a"), ErrorBox);
}

TEST_F(TagParsing, StringSpritesHaveACellPerColour) {
  graphics::decode_image_tag(r, sjis(":s#ff0000#00ff00あいう"));
  EXPECT_EQ(r.trans_mode, graphics::kTransAlpha);
  EXPECT_EQ(r.cell_count, 2);
  EXPECT_EQ(r.anim_mode, graphics::kAnimManual);
  EXPECT_EQ(r.cell_interval_ms, graphics::kManualInterval);
  int cw = 6 * 26 / 2;  // six bytes at the window font's pitch of 26
  EXPECT_EQ(r.surface.width, 2 * 2 * cw);
  EXPECT_EQ(r.surface.height, 26);
  // Somewhere in the first cell the text is drawn red and the mask opaque;
  // the mask is transparent (white) away from the text.
  int inked = 0;
  for (int y = 0; y < 26; ++y)
    for (int x = 0; x < cw; ++x) {
      const uint8_t* c = r.surface.row(y) + 3 * x;
      const uint8_t* m = r.surface.row(y) + 3 * (cw + x);
      if (m[0] < 128) {
        ++inked;
        EXPECT_EQ(c[1], 0);
      }
      EXPECT_EQ(c[0], 0);  // no blue in red text
    }
  EXPECT_GT(inked, 50);
  EXPECT_EQ(r.surface.row(0)[3 * (2 * cw - 1)], 255);
  // '$' and a number take the string variable's text.
  interp::set_string_variable(7, "abcd");
  ImageRecord v;
  graphics::decode_image_tag(v, ":s/10,10,0;#ffffff$7!");
  EXPECT_EQ(v.surface.width, 2 * (5 * 10 / 2));
  // An explicit size with negative spacing widens the cell.
  ImageRecord q;
  graphics::decode_image_tag(q, ":s/20,22,-4;#ffffffab");
  EXPECT_EQ(q.surface.width, 2 * (2 * 16 / 2 + 4));
  EXPECT_EQ(q.surface.height, 22);
}

TEST_F(TagParsing, HeaderSetsTheStepClock) {
  parse(":l/2,10,0;a.bmp");
  EXPECT_EQ(r.step_direction, 1);
  EXPECT_EQ(r.current_cell, 0);
}

}  // namespace
