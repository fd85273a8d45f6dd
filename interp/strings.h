// interp/strings: the string commands len, mid, cmp, itoa and atoi.
#pragma once
#include <cstdint>
#include <string_view>

namespace interp {

void cmd_len();
void cmd_mid();
void cmd_cmp();
void cmd_itoa();
void cmd_atoi();

// The C library's atoi as the original system's library does it: leading
// white space, an optional sign, digits up to the first other byte, 0
// without digits; a value beyond the 32-bit range saturates.
int32_t text_to_number(std::string_view text);

}  // namespace interp
