// platform/menu_canvas: the text and shapes the menu strip and the dialogs draw into an ARGB picture.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

struct MenuCanvas {
  uint32_t* argb;
  int width, height;
};

// Text in the 12-pixel Japanese gothic that fontconfig finds (UTF-8).
int menu_text_width(const std::string& utf8);
void menu_fill(MenuCanvas& c, int x, int y, int w, int h, uint32_t colour);
// Draws the text vertically centred in a row of `row_height` from y.
void menu_text(MenuCanvas& c, int x, int y, int row_height, const std::string& utf8, uint32_t colour);
void menu_check_mark(MenuCanvas& c, int x, int y, uint32_t colour);
void menu_arrow(MenuCanvas& c, int x, int y, uint32_t colour);

}  // namespace platform
