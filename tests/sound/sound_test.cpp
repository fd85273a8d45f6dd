// The sound subsystem's own functions: MIDI lengths, mixer volumes, save fields, archives, the real audio path.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/mode.h"
#include "platform/tempdir.h"
#include "sound/channels.h"
#include "sound/commands.h"
#include "sound/music.h"
#include "sound/sounding.h"
#include "sound/volume.h"
#include "tests/graphics/graphics_test_util.h"
#include "tests/sound/sound_files.h"

namespace {

using namespace gtest_graphics;

// A game folder as current folder, the sound silent (headless) on the
// virtual clock, and back at its start values afterwards.
class Sound : public GameFolder {
 protected:
  void SetUp() override {
    GameFolder::SetUp();
    was_headless_ = platform::headless;
    platform::headless = true;
    platform::use_virtual_clock(true);
    sound::reset_sound();
  }
  void TearDown() override {
    sound::reset_sound_state();
    platform::audio_stop();
    platform::headless = was_headless_;
    platform::use_virtual_clock(false);
    GameFolder::TearDown();
  }
  void write(const std::string& name, const std::string& bytes) {
    write_file(name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
  }
  bool was_headless_ = false;
};

TEST(MidiLength, FollowsTempoChangesAndRefusesWhatIsNoMidi) {
  std::string m = soundtest::midi_file(1500);
  EXPECT_EQ(platform::midi_length_ms(m), 1500);
  // A second tempo halfway (at tick 720 = 750 ms) doubling the speed: the
  // remaining 750 ms take 375.
  // A track with tempo 500000, note on, 720 ticks, tempo 250000, 720 ticks, end.
  std::string track = std::string("\x00\xff\x51\x03\x07\xa1\x20", 7) + std::string("\x00\x90\x3c\x60", 4) +
                      std::string("\x85\x50\xff\x51\x03\x03\xd0\x90", 8) + std::string("\x85\x50\x90\x3c\x00", 5) +
                      std::string("\x00\xff\x2f\x00", 4);
  std::string head("MThd\0\0\0\x06\0\0\0\x01\x01\xe0MTrk\0\0\0", 21);
  std::string two_tempos = head + static_cast<char>(track.size()) + track;
  EXPECT_EQ(platform::midi_length_ms(two_tempos), 750 + 375);
  // Frames: 25 frames of 40 ticks a second; 2000 ticks are 2 s.
  std::string smpte = two_tempos;
  smpte[12] = static_cast<char>(-25);
  smpte[13] = 40;
  EXPECT_EQ(platform::midi_length_ms(smpte), (720 + 720) * 1000 / 1000);
  // Random bytes, a header alone, a cut track, a track length past the end.
  EXPECT_EQ(platform::midi_length_ms(std::string(300, '\x93')), -1);
  EXPECT_EQ(platform::midi_length_ms(head.substr(0, 14)), -1);
  EXPECT_EQ(platform::midi_length_ms(m.substr(0, m.size() - 6)), -1);
  std::string long_track = m;
  long_track[21] = '\x7f';
  EXPECT_EQ(platform::midi_length_ms(long_track), -1);
  for (size_t cut = 0; cut < m.size(); ++cut) platform::midi_length_ms(m.substr(0, cut));
}

TEST(MixerVolume, AttenuationsAreHundredthsOfDecibels) {
  EXPECT_EQ(platform::mixer_volume(0), 128);
  EXPECT_EQ(platform::mixer_volume(-5), 128);
  EXPECT_EQ(platform::mixer_volume(100), 0);
  EXPECT_EQ(platform::mixer_volume(101), 0);
  EXPECT_EQ(platform::mixer_volume(24), 64);  // -6 dB: half the amplitude
  EXPECT_EQ(platform::mixer_volume(80), 13);  // -20 dB: a tenth
  for (int a = 1; a <= 100; ++a) EXPECT_LE(platform::mixer_volume(a), platform::mixer_volume(a - 1));
}

TEST_F(Sound, SaveFieldsAndTheirRestore) {
  write("s.wav", soundtest::wav_file(4000));
  write("l.wav", soundtest::wav_file(4000));
  write("m.mid", soundtest::midi_file(4000));
  write("cd/track02.wav", soundtest::wav_file(4000));
  write("cd/track03.wav", soundtest::wav_file(4000));
  sound::cd_fade_ms = 0;
  sound::play_stream_music("s.wav", 0);
  sound::music_state.stream_saved = 0;  // mp3
  EXPECT_EQ(sound::music_fields_to_save().stream_name, "");
  sound::play_stream_music("s.wav", 0);
  sound::music_state.stream_saved = 1;  // mp3save
  sound::play_midi("m.mid", 1);
  sound::play_wave("l.wav", 1);
  sound::play_cd_track(2, 1);
  sound::MusicState saved = sound::music_fields_to_save();
  EXPECT_EQ(saved.stream_name, "s.wav");
  EXPECT_EQ(saved.midi_name, "m.mid");
  EXPECT_EQ(saved.wave_name, "l.wav");
  EXPECT_EQ(saved.cd_track, 2);
  EXPECT_EQ(saved.midi_loop + saved.wave_loop + saved.cd_loop + saved.stream_loop, 3);
  sound::cmd_stop();
  EXPECT_EQ(sound::music_state.midi_name, "");
  EXPECT_EQ(sound::music_state.cd_track, -1);
  sound::restore_music(saved);
  EXPECT_EQ(sound::music_state.stream_name, "s.wav");
  EXPECT_EQ(sound::music_state.stream_loop, 0);
  EXPECT_EQ(sound::music_state.stream_saved, 1);
  EXPECT_EQ(sound::music_state.midi_device, 1);
  EXPECT_EQ(sound::music_state.cd_track, 2);
  EXPECT_EQ(sound::wave_loop_active, 1);
  EXPECT_EQ(sound::target_state(sound::kCdTarget), sound::TargetState::sounding);
  // Restoring in place (the record itself as the source) is safe.
  sound::restore_music(sound::music_state);
  EXPECT_EQ(sound::music_state.midi_name, "m.mid");
  // A one-shot wave is not restored; without effects a one-shot channel plays on.
  sound::play_wave("l.wav", 0);
  sound::ds_play_channel(4, "l.wav", 0);
  saved = sound::music_fields_to_save();
  sound::restore_music(saved);
  EXPECT_EQ(sound::target_state(sound::kWaveTarget), sound::TargetState::sounding);
  EXPECT_EQ(sound::sound_channels.loaded[4], 1);
}

TEST_F(Sound, ArchiveExtractsAreDeletedAndVolumesApply) {
  graphics::archive_settings.zpk_on = true;
  std::string wav = soundtest::wav_file(300);
  write_file(
      "arc.zpk",
      make_zpk({{"se\\a.wav", 0, std::vector<uint8_t>(wav.begin(), wav.end()), static_cast<uint32_t>(wav.size())}}));
  sound::ds_play_channel(3, "SE/A.WAV", 1);
  EXPECT_EQ(sound::sound_channels.loaded[3], 1);
  sound::play_wave("se\\a.wav", 0);
  EXPECT_EQ(sound::music_state.wave_name, "se\\a.wav");
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(platform::temp_folder())) files += e.is_regular_file();
  EXPECT_EQ(files, 0);
  // The volume dialog's setters: stored, clamped, copied to the channels.
  sound::set_effect_attenuation(130);
  EXPECT_EQ(sound::get_effect_attenuation(), 100);
  EXPECT_EQ(sound::sound_channels.attenuation[3], 100);
  sound::set_voice_attenuation(30);
  EXPECT_EQ(sound::sound_channels.attenuation[0], 30);
  EXPECT_EQ(sound::sound_channels.attenuation[3], 100);
  sound::set_music_attenuation(45);
  EXPECT_EQ(sound::get_music_attenuation(), 45);
  sound::set_cd_volume(-4);
  EXPECT_EQ(sound::get_cd_volume(), 0);
  sound::set_cd_volume(1 << 20);
  EXPECT_EQ(sound::get_cd_volume(), sound::kCdVolumeTop);
}

TEST_F(Sound, ARealDriverReceivesTheSamples) {
  // SDL's disk driver writes what the mixer sends it into a file, at the
  // pace of a sound card.
  std::string raw = dir_ + "/out.raw";
  setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "5", 1);
  ASSERT_TRUE(platform::audio_restart_with_driver("disk"));
  EXPECT_TRUE(platform::audio_heard());
  write("a.wav", soundtest::wav_file(300, 44100, 2));
  std::string error;
  ASSERT_EQ(platform::audio_load(7, "a.wav", error), 300) << error;
  platform::audio_set_volume(7, platform::mixer_volume(0));
  platform::audio_play(7, false);
  // And a fed stream beside it.
  int id = platform::audio_stream_open(22050, 1);
  ASSERT_GE(id, 0);
  std::vector<int16_t> ramp(22050 / 5, 1000);
  EXPECT_TRUE(platform::audio_stream_feed(id, ramp.data(), ramp.size()));
  for (int i = 0; i < 100 && !platform::audio_take_end_notice(7); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(platform::audio_playing(7));
  EXPECT_EQ(platform::audio_stream_queued_ms(id), 0u);
  platform::audio_stream_close(id);
  platform::audio_stop();
  unsetenv("SDL_DISKAUDIOFILE");
  unsetenv("SDL_DISKAUDIODELAY");
  std::ifstream in(raw, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GE(bytes.size(), 300u * 44100 / 1000 * 4);
  // The sine's peak (8000) arrives unchanged at full volume; the fed
  // stream adds its constant 1000.
  int peak = 0;
  size_t nonzero = 0;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    int16_t v = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8);
    peak = std::max(peak, std::abs(static_cast<int>(v)));
    nonzero += v != 0;
  }
  EXPECT_GE(peak, 8500);
  EXPECT_LE(peak, 9100);
  EXPECT_GE(nonzero, 300u * 44100 / 1000);
}

}  // namespace
