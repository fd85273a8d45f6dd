// ui/selection: the choice lists, the colours, sounds and menu layout of selections, and the choice-text renderer.
#pragma once
#include <cstdint>
#include <string>

namespace ui {

constexpr int kMaxChoices = 50;        // select, selgosub, selnum
constexpr int kMaxCustomChoices = 20;  // csel

// The current choices: texts and, for select and selgosub, their labels.
struct ChoiceList {
  std::string texts[kMaxChoices];
  std::string labels[kMaxChoices];
  int32_t count = 0;
};
extern ChoiceList choice_list;

// What csel stored, for the customsel routine: texts, labels and count.
struct CustomChoiceList {
  std::string texts[kMaxCustomChoices];
  std::string labels[kMaxCustomChoices];
  int32_t count = 0;
};
extern CustomChoiceList custom_choice_list;

// The names of the menu sounds, in the order of menuselectvoice.
enum MenuVoice : int {
  menu_voice_open = 0,
  menu_voice_cancel = 1,
  menu_voice_over = 2,
  menu_voice_click = 3,
  menu_voice_page = 4,  // the lookback's page turn; also a refused slot
  menu_voice_yes = 5,
  menu_voice_no = 6,
};
enum SelectVoice : int { select_voice_open = 0, select_voice_over = 1, select_voice_click = 2 };

// The centred menu layout (menusetwindow).
struct MenuLayout {
  int32_t glyph_width = 26, glyph_height = 26;
  int32_t pitch_x = 26, pitch_y = 28;
  int32_t bold = 0, shadow = 0;
  int32_t tint = 0x999999;
};

// Colours are 0xRRGGBB; sounds are wave file names, empty for none.
struct SelectionSettings {
  int32_t select_colour_on = 0xFFFFFF, select_colour_off = 0xAAAAAA;
  int32_t menu_colour_on = 0xFFFFFF, menu_colour_off = 0xAAAAAA, menu_colour_3 = 0x555599;
  std::string select_voice[3];
  std::string menu_voice[7];
  MenuLayout menu_layout;
};
extern SelectionSettings selection_settings;

// Set while the system menu (or a screen of it) runs: the centred layout,
// the menu colours and sounds.
extern bool menu_mode;

// Draws a choice text in colour 0xRRGGBB. A non-negative column or row is
// a cell of the message window; a negative one the pixel coordinate -value.
// In cells the text breaks lines as the window's text does and ends with
// the position at the start of the next row; column and row are updated.
// Returns the number of characters drawn, at most the window's columns.
int draw_choice_text(const std::string& text, int32_t& column, int32_t& row, int32_t colour);

// The same at pixel (x, y), whatever their signs.
int draw_choice_text_at(const std::string& text, int32_t x, int32_t y, int32_t colour);

// Selection settings and lists back to their start values (program start
// and full restart).
void init_selections();

}  // namespace ui
