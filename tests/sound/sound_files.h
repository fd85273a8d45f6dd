// tests/sound/sound_files: WAV and MIDI files made for the sound tests.
#pragma once
#include <cstdint>
#include <string>

namespace soundtest {

// A 16-bit PCM WAV of `ms` milliseconds: a sine of 440 Hz at `rate`, 1 or 2 channels.
std::string wav_file(int ms, int rate = 22050, int channels = 1);

// A standard MIDI file of one track holding one note of `ms` milliseconds
// at 120 beats a minute (480 ticks a beat), with a tempo event.
std::string midi_file(int ms);

}  // namespace soundtest
