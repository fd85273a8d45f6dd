#include <gtest/gtest.h>

#include <vector>

#include "platform/menu.h"
#include "platform/messages.h"
#include "platform/mode.h"
#include "platform/window.h"

using namespace platform;

namespace {

void collect_ids(const MenuList& list, std::vector<int>& ids) {
  for (const MenuItem& m : list) {
    if (!m.submenu.empty())
      collect_ids(m.submenu, ids);
    else
      ids.push_back(m.id);
  }
}

}  // namespace

TEST(MenuModel, FollowsTheMenuResource) {
  MenuList menu = idr_menu();
  ASSERT_EQ(menu.size(), 10u);
  EXPECT_EQ(menu[0].text, "画面");
  EXPECT_EQ(menu[5].text, "選択肢まで進む");
  EXPECT_EQ(menu[5].id, 40006);
  EXPECT_EQ(menu[9].text, "終了");
  EXPECT_EQ(menu[9].id, 40001);
  std::vector<int> ids;
  collect_ids(menu, ids);
  std::vector<int> expected = {40002, 40003, 40004, 40008, 40007, 40014, 40015, 40016, 40017,
                               40018, 40024, 40006, 40019, 40020, 40021, 40022, 40005, 40001};
  EXPECT_EQ(ids, expected);
  for (int id : {40003, 40008, 40015, 40017, 40021}) EXPECT_TRUE(menu_item_checked(menu, id)) << id;
  for (int id : {40002, 40004, 40007, 40014, 40016, 40018, 40022}) EXPECT_FALSE(menu_item_checked(menu, id)) << id;
  // CD-DA再生 is a submenu at the end of the CD-DA menu.
  EXPECT_EQ(menu[7].submenu.back().text, "CD-DA再生");
  EXPECT_EQ(menu[7].submenu.back().submenu.size(), 2u);
}

TEST(MenuModel, RadioGroupsKeepOneCheckMark) {
  MenuList menu = idr_menu();
  check_radio_item(menu, 40016, {40014, 40015, 40016});
  EXPECT_FALSE(menu_item_checked(menu, 40014));
  EXPECT_FALSE(menu_item_checked(menu, 40015));
  EXPECT_TRUE(menu_item_checked(menu, 40016));
  check_radio_item(menu, 40014, {40014, 40015, 40016});
  EXPECT_TRUE(menu_item_checked(menu, 40014));
  EXPECT_FALSE(menu_item_checked(menu, 40016));
  check_radio_item(menu, 40022, {40021, 40022});
  EXPECT_TRUE(menu_item_checked(menu, 40022));
  EXPECT_FALSE(menu_item_checked(menu, 40021));
  // Other groups are untouched.
  EXPECT_TRUE(menu_item_checked(menu, 40003));
}

TEST(MenuModel, InsertsAndDeletesByPositionAndCommand) {
  MenuList menu = idr_menu();
  MenuList& fonts = menu[1].submenu;
  insert_menu_item(fonts, 0, menu_command("IPAゴシック", 41000));
  insert_menu_item(fonts, 99, menu_separator());
  ASSERT_EQ(fonts.size(), 3u);
  EXPECT_EQ(fonts[0].id, 41000);
  EXPECT_EQ(fonts[1].id, 40004);
  EXPECT_TRUE(delete_menu_position(fonts, 2));
  EXPECT_FALSE(delete_menu_position(fonts, 2));
  EXPECT_TRUE(delete_menu_command(menu, 40019));
  EXPECT_EQ(find_menu_item(menu, 40019), nullptr);
  EXPECT_FALSE(delete_menu_command(menu, 40019));
  EXPECT_EQ(menu.size(), 9u);
  EXPECT_TRUE(delete_menu_command(menu, 40022));
  EXPECT_EQ(menu[6].submenu.back().submenu.size(), 1u);
}

TEST(MenuStrip, ClickingAnItemPostsItsCommand) {
  headless = true;
  clear_messages();
  std::vector<uint32_t> canvas(640 * 500);
  menu_bar() = idr_menu();
  menu_bar_changed();
  EXPECT_TRUE(draw_menu(canvas.data(), 640, 500, true));
  EXPECT_NE(canvas[5 * 640 + 3], 0u);      // the strip is opaque
  EXPECT_EQ(canvas[100 * 640 + 300], 0u);  // the picture shows through
  // Press on 画面 (the first title) opens its list; release on its first item.
  EXPECT_TRUE(menu_pointer_event(MenuPointer::press, 5, 10));
  EXPECT_TRUE(menu_is_open());
  EXPECT_TRUE(draw_menu(canvas.data(), 640, 500, false));
  EXPECT_FALSE(draw_menu(canvas.data(), 640, 500, false));
  EXPECT_TRUE(menu_pointer_event(MenuPointer::release, 5, 10));
  EXPECT_TRUE(menu_is_open());
  EXPECT_TRUE(menu_pointer_event(MenuPointer::move, 30, 30));
  EXPECT_TRUE(menu_pointer_event(MenuPointer::press, 30, 30));
  EXPECT_TRUE(menu_pointer_event(MenuPointer::release, 30, 30));
  EXPECT_FALSE(menu_is_open());
  Message m;
  ASSERT_TRUE(peek_message(m));
  EXPECT_EQ(m.id, msg_command);
  EXPECT_EQ(m.param, 40002);
  // A press outside an open list only closes it.
  menu_pointer_event(MenuPointer::press, 5, 10);
  EXPECT_TRUE(menu_pointer_event(MenuPointer::press, 600, 400));
  EXPECT_FALSE(menu_is_open());
  EXPECT_FALSE(peek_message(m));
  // The picture below the strip is not the menu's while nothing is open.
  EXPECT_FALSE(menu_pointer_event(MenuPointer::press, 300, 300));
}
