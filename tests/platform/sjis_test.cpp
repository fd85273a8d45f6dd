#include <gtest/gtest.h>

#include "platform/sjis.h"

TEST(Sjis, RoundTripsJapaneseAndAscii) {
  std::string sjis = platform::utf8_to_sjis("こんにちは abc ０９");
  EXPECT_EQ(sjis.substr(0, 2), "\x82\xb1");
  EXPECT_EQ(platform::sjis_to_utf8(sjis), "こんにちは abc ０９");
}

TEST(Sjis, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(platform::sjis_to_utf8("a\x81\nb"), "a\xef\xbf\xbd\nb");
  EXPECT_EQ(platform::sjis_to_utf8("\x82"), "\xef\xbf\xbd");
  EXPECT_EQ(platform::utf8_to_sjis("a\xf0\x9f\x98\x80z"), "a?z");
}
