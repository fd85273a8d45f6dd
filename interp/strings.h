// interp/strings: the string commands len, mid, cmp, itoa and atoi, and numbers read from text.
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

// Decimal digits at p (none read as 0), p moving behind them; a value
// beyond the 32-bit range saturates at INT32_MAX. The in-line marks of text
// lines write their numbers so.
int32_t read_decimal_digits(const char*& p);

// Blanks (' ' and '\t'), an optional sign, then read_decimal_digits: the
// numbers of image tags. Saturates at -INT32_MAX and INT32_MAX.
int32_t read_decimal(const char*& p);

}  // namespace interp
