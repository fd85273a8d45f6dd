// text/lookback_commands: the script commands that record into the lookback history.
#pragma once

namespace text {

void cmd_lookbackon();     // recording on
void cmd_lookbackoff();    // recording off
void cmd_lookbackflush();  // lookback_reset
void cmd_textcommit();     // write_page_mark
void cmd_gettext();        // $v = the current page's text without line feeds

}  // namespace text
