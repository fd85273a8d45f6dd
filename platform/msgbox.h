// platform/msgbox: message boxes (OK; Yes/No), or the scripted answer when headless.
#pragma once
#include <string>

namespace platform {

enum class BoxIcon { none, information, question, warning, error };

// Shows an OK box (UTF-8 title and text) over the main window.
void show_message_box(const std::string& title, const std::string& text, BoxIcon icon = BoxIcon::none);

// Shows a Yes/No box; true for yes. A scripted "answer" waiting from the
// events file decides instead; headless without one: yes.
bool ask_yes_no(const std::string& title, const std::string& text, BoxIcon icon = BoxIcon::question);

// The next box's answer, set by a scripted event (true: yes/OK).
void set_scripted_answer(bool yes);

// The text of the last box shown (tests and transcripts).
const std::string& last_box_text();

}  // namespace platform
