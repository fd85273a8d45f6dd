#include "tests/support/script_fixture.h"

#include "interp/error.h"
#include "interp/readers.h"
#include "interp/variables.h"
#include "platform/sjis.h"
#include "save/logs.h"
#include "script/labels.h"
#include "script/scenario.h"

namespace testsupport {

namespace {
[[noreturn]] void throw_fatal(const std::string& title, const std::string& text) { throw FatalError{title, text}; }
}  // namespace

void load_script(std::string_view utf8) {
  script::set_scenario_text(platform::utf8_to_sjis(utf8));
  interp::ScriptPosition = 0;
  interp::reset_variable_tables();
  save::log_clear(save::LabelLog);
  save::log_clear(save::FileLog);
  interp::set_fatal_hook(throw_fatal);
}

void scan_labels() {
  if (auto failure = script::scan_labels()) interp::report_failure(*failure);
}

void load_scenario() {
  if (auto failure = script::load_scenario()) interp::report_failure(*failure);
}

std::string fatal_of(const std::function<void()>& f) {
  try {
    f();
  } catch (const FatalError& e) {
    std::string message = e.text.substr(0, e.text.find("\n\n"));
    return e.title + "|" + message;
  }
  return "";
}

}  // namespace testsupport
