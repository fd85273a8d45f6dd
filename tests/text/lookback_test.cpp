#include <gtest/gtest.h>

#include <algorithm>

#include "platform/sjis.h"
#include "text/lookback.h"

namespace {

void append_utf8(const char* utf8) {
  std::string s = platform::utf8_to_sjis(utf8);
  for (size_t i = 0; i + 1 < s.size(); i += 2) text::append_text_bytes(s[i], s[i + 1]);
}

int count_marks() {
  return static_cast<int>(std::count(text::lookback.history_bytes, text::lookback.history_bytes + text::kLookbackSize,
                                     static_cast<char>(text::kLookbackPageMark)));
}

class Lookback : public ::testing::Test {
 protected:
  void SetUp() override { text::reset_lookback(); }
  void TearDown() override { text::reset_lookback(); }
};

}  // namespace

TEST_F(Lookback, ResetLeavesOneMarkAndSpaces) {
  EXPECT_EQ(text::lookback.write_pos, 1);
  EXPECT_EQ(text::lookback.history_bytes[0], 1);
  EXPECT_EQ(text::lookback.at_page_start, 1);
  EXPECT_EQ(text::lookback.history_bytes[1], ' ');
  EXPECT_EQ(text::lookback.history_bytes[text::kLookbackSize - 1], ' ');
  EXPECT_EQ(text::lookback.history_bytes[text::kLookbackSize], 0);
}

TEST_F(Lookback, CharactersLineFeedsAndPagesAreStoredInOrder) {
  append_utf8("あい");
  text::append_line_feed();
  append_utf8("う");
  text::write_page_mark();
  EXPECT_EQ(std::string(text::lookback.history_bytes, text::lookback.write_pos),
            "\x01" + platform::utf8_to_sjis("あい") + "\n" + platform::utf8_to_sjis("う") + "\x01");
  EXPECT_EQ(text::lookback.at_page_start, 1);
}

TEST_F(Lookback, PageMarksAreNeverDoubled) {
  append_utf8("あ");
  text::write_page_mark();
  int32_t pos = text::lookback.write_pos;
  text::write_page_mark();
  text::write_page_mark();
  EXPECT_EQ(text::lookback.write_pos, pos);
  EXPECT_EQ(count_marks(), 2);
  text::append_line_feed();  // a line feed starts a page: the next mark is written
  text::write_page_mark();
  EXPECT_EQ(count_marks(), 3);
}

TEST_F(Lookback, NothingIsRecordedWhileOff) {
  text::lookback.recording = 0;
  append_utf8("あいう");
  text::append_line_feed();
  text::write_page_mark();
  EXPECT_EQ(text::lookback.write_pos, 1);
  text::lookback_reset();  // the reset's own mark is not written either
  EXPECT_EQ(text::lookback.write_pos, 0);
  EXPECT_EQ(count_marks(), 0);
  EXPECT_EQ(text::current_page_text(), "");
}

TEST_F(Lookback, APageMarkPast8499DiscardsTheHistory) {
  // 1 mark + 4249 characters: the page mark lands at index 8499, write_pos 8500.
  for (int i = 0; i < 4249; i++) append_utf8("あ");
  ASSERT_EQ(text::lookback.write_pos, 8499);
  text::write_page_mark();
  EXPECT_EQ(text::lookback.write_pos, 1);
  EXPECT_EQ(text::lookback.history_bytes[0], 1);
  EXPECT_EQ(text::lookback.history_bytes[1], ' ');
  EXPECT_EQ(count_marks(), 1);
}

TEST_F(Lookback, AMarkJustBelowTheLimitKeepsTheHistory) {
  for (int i = 0; i < 4248; i++) append_utf8("あ");
  text::append_line_feed();
  ASSERT_EQ(text::lookback.write_pos, 8498);
  text::write_page_mark();
  EXPECT_EQ(text::lookback.write_pos, 8499);
  EXPECT_EQ(count_marks(), 2);
}

TEST_F(Lookback, APageLongerThanTheBufferStopsAtItsEnd) {
  for (int i = 0; i < 6000; i++) {
    append_utf8("あ");
    if (i % 7 == 0) text::append_line_feed();
  }
  EXPECT_LE(text::lookback.write_pos, text::kLookbackSize - 1);
  EXPECT_EQ(text::lookback.history_bytes[text::kLookbackSize], 0);
  // No half character at the end: the stored bytes still pair up.
  std::string page = text::current_page_text();
  EXPECT_EQ(page.size() % 2, 0u);
  text::write_page_mark();  // finishing the page discards the history
  EXPECT_EQ(text::lookback.write_pos, 1);
  append_utf8("い");
  EXPECT_EQ(text::current_page_text(), platform::utf8_to_sjis("い"));
}

TEST_F(Lookback, DamagedWritePositionIsNeverUsedAsAnIndex) {
  for (int32_t bad : {-5, text::kLookbackSize, text::kLookbackSize + 100, INT32_MAX}) {
    text::lookback.write_pos = bad;
    text::lookback.at_page_start = 0;
    append_utf8("あ");
    text::append_line_feed();
    EXPECT_EQ(text::lookback.write_pos, bad);
    EXPECT_EQ(text::current_page_text(), "");
    text::write_page_mark();
    EXPECT_EQ(text::lookback.write_pos, 1);
  }
}

TEST_F(Lookback, CurrentPageTextJoinsTheLinesOfTheUnfinishedPage) {
  append_utf8("前の頁");
  text::write_page_mark();
  append_utf8("一行目");
  text::append_line_feed();
  append_utf8("二行目");
  text::append_line_feed();
  EXPECT_EQ(text::current_page_text(), platform::utf8_to_sjis("一行目二行目"));
  text::write_page_mark();
  EXPECT_EQ(text::current_page_text(), "");
}
