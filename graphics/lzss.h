// graphics/lzss: the LZSS expansion of compressed archive entries.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace graphics {

// Expands `size` bytes of LZSS input into out (replacing its contents),
// writing at most `capacity` bytes. The 256-byte window starts each
// expansion with positions 0..238 set to spaces and the write position at
// 239; positions 239..255 keep what the previous expansion left there, as
// archives made for this format expect. A token cut off by the end of the
// input ends the expansion. False when the stream would write more than
// `capacity` bytes (out then holds the first `capacity`).
bool lzss_expand(const uint8_t* in, size_t size, std::vector<uint8_t>& out, size_t capacity);

// Clears the whole window to zeros, as at start-up.
void reset_lzss_window();

}  // namespace graphics
