// Music, sound effects, voices and volumes through the headless program and its audio log on the virtual clock.
#include <gtest/gtest.h>

#include <cstdio>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/sound/sound_files.h"
#include "tests/support/game_folder.h"

using testsupport::GameFolder;
using testsupport::RunResult;

namespace {

struct Line {
  long ms;
  std::string what;  // the line without its time
};

// Runs the game headless on the virtual clock with the audio log and
// optional scripted events; returns the log's lines.
std::vector<Line> run_logged(GameFolder& g, const std::string& body, const std::string& defines = "",
                             const std::string& events = "", RunResult* result = nullptr) {
  g.write_text("0.txt", "*define\n" + defines + "game\n*start\n" + body + "\nend\n");
  // Every run starts from the default settings: the settings file an
  // earlier run left would replay its menu switches at start-up.
  std::remove((g.path() + "/envdata").c_str());
  std::vector<std::string> args = {"--headless", "--virtual-clock", "--audio-log", g.path() + "/audio.log"};
  if (!events.empty()) {
    g.write_text("events.txt", events);
    args.push_back("--events");
    args.push_back(g.path() + "/events.txt");
  }
  RunResult r = testsupport::run_program(g.path(), args);
  if (result) *result = r;
  EXPECT_TRUE(r.status == 0 || result) << r.err;
  std::vector<Line> lines;
  std::istringstream in(g.read_file("audio.log"));
  std::string text;
  while (std::getline(in, text)) {
    size_t space = text.find(' ');
    lines.push_back({std::strtol(text.c_str(), nullptr, 10), text.substr(space + 1)});
  }
  return lines;
}

// The lines without times, joined, for whole-sequence comparisons.
std::string whats(const std::vector<Line>& lines) {
  std::string s;
  for (const Line& l : lines) s += l.what + "\n";
  return s;
}

std::string box(const RunResult& r) { return r.err.substr(0, r.err.find("\n\n")); }

TEST(AudioLog, WaveLoopRestartsWithinATickOfItsEndAndOnceEndsOnce) {
  GameFolder g;
  g.write_bytes("a.wav", soundtest::wav_file(300));
  auto lines = run_logged(g, "waveloop \"a.wav\"\nwait 1000\nwave \"a.wav\"\nwait 500");
  ASSERT_GE(lines.size(), 8u) << whats(lines);
  EXPECT_EQ(lines[0].what, "play wave a.wav loop");
  // Each pass: "end" at start + 300 exactly, the restart on the next tick.
  size_t i = 1;
  long start = lines[0].ms;
  int passes = 0;
  while (i + 1 < lines.size() && lines[i + 1].what == "play wave a.wav loop") {
    EXPECT_EQ(lines[i].what, "end wave");
    EXPECT_EQ(lines[i].ms, start + 300);
    EXPECT_GE(lines[i + 1].ms, lines[i].ms);
    EXPECT_LE(lines[i + 1].ms, lines[i].ms + 101);
    start = lines[i + 1].ms;
    i += 2;
    ++passes;
  }
  EXPECT_GE(passes, 2);
  // wave replaces the loop: stopped by the command, then one pass that ends by itself.
  ASSERT_EQ(lines.size(), i + 3) << whats(lines);
  EXPECT_EQ(lines[i].what, "stop wave");
  EXPECT_EQ(lines[i + 1].what, "play wave a.wav once");
  EXPECT_EQ(lines[i + 2].what, "end wave");
  EXPECT_EQ(lines[i + 2].ms, lines[i + 1].ms + 300);
}

TEST(AudioLog, PlayLoopsMidiPlayonceDoesNotAndAnEmptyNameStops) {
  GameFolder g;
  g.write_bytes("m.mid", soundtest::midi_file(400));
  auto lines = run_logged(g, "play \"m.mid\"\nwait 1000\nplayonce \"m.mid\"\nwait 1000\nplay \"m.mid\"\nplay \"\"");
  std::string w = whats(lines);
  EXPECT_EQ(w.substr(0, 60), "play midi m.mid loop\nend midi\nplay midi m.mid loop\nend midi\n") << w;
  EXPECT_EQ(lines[1].ms, lines[0].ms + 400);
  EXPECT_LE(lines[2].ms, lines[1].ms + 101);
  EXPECT_EQ(w.substr(w.find("play midi m.mid once")),
            "play midi m.mid once\nend midi\nplay midi m.mid loop\nstop midi\n")
      << w;
}

TEST(AudioLog, FadesTakeTheirSteps) {
  GameFolder g;
  g.write_bytes("s.wav", soundtest::wav_file(5000));
  auto lines = run_logged(g, "mp3vol 50\nmp3fadeout 1000\nbgm \"s.wav\"\nwait 100\nstop");
  ASSERT_GE(lines.size(), 3u);
  // The stream starts at attenuation 50, fades in 50 steps of 20 ms and is
  // stopped after the volume is set back.
  ASSERT_EQ(lines.size(), 53u) << whats(lines);
  EXPECT_EQ(lines[0].what, "volume stream 50");
  EXPECT_EQ(lines[1].what, "play stream s.wav loop");
  long t = lines[2].ms - 20;  // the stop: after the wait
  for (int step = 1; step < 50; ++step) {
    EXPECT_EQ(lines[1 + step].what, "volume stream " + std::to_string(50 + step));
    EXPECT_EQ(lines[1 + step].ms, t + 20 * step);
  }
  EXPECT_EQ(lines[51].what, "volume stream 50");
  EXPECT_EQ(lines[52].what, "stop stream");
  EXPECT_EQ(lines[52].ms, t + 1000);

  // The CD stand-in: 99 steps of cdfadeout / 100 ms, the stop, a second's
  // rest, the volume back at full.
  GameFolder cd;
  cd.write_bytes("cd/track02.wav", soundtest::wav_file(3000));
  cd.write_bytes("cd/track03.wav", soundtest::wav_file(3000));
  lines = run_logged(cd, "cdfadeout 500\nplay \"*2\"\nwait 100\nplaystop");
  ASSERT_EQ(lines.size(), 102u) << whats(lines);
  EXPECT_EQ(lines[0].what, "play cd 2 loop");
  EXPECT_EQ(lines[1].what, "volume cd 1");  // 99/100 of the volume
  EXPECT_EQ(lines[99].what, "volume cd 99");
  EXPECT_EQ(lines[99].ms - lines[1].ms, 98 * 5);
  EXPECT_EQ(lines[100].what, "stop cd");
  EXPECT_EQ(lines[101].what, "volume cd 0");
  EXPECT_EQ(lines[101].ms - lines[100].ms, 1000);
}

TEST(AudioLog, CdTracksLoopFromTheirEndNoticeAndStopAtTheLastTrack) {
  GameFolder g;
  g.write_bytes("cd/TRACK02.wav", soundtest::wav_file(400));
  g.write_bytes("cd/track03.wav", soundtest::wav_file(200));
  // Track 7 of a 3-track disc is its last track; asked again while it
  // plays, nothing happens; at its end it starts again with the notice.
  auto lines = run_logged(g, "cdfadeout 0\nplay \"*7\"\nwait 50\nplay \"*7\"\nwait 600\nplayonce \"*2\"\nwait 600");
  std::string w = whats(lines);
  EXPECT_EQ(w.substr(0, 44), "play cd 3 loop\nend cd\nplay cd 3 loop\nend cd\n") << w;
  EXPECT_EQ(lines[1].ms, lines[0].ms + 200);
  EXPECT_LE(lines[2].ms, lines[1].ms + 101);
  EXPECT_EQ(w.substr(w.size() - 22), "play cd 2 once\nend cd\n") << w;
  EXPECT_EQ(lines.back().ms, lines[lines.size() - 2].ms + 400);
  // A disc of one track never plays.
  GameFolder one;
  one.write_bytes("cd/track01.wav", soundtest::wav_file(200));
  EXPECT_EQ(whats(run_logged(one, "play \"*1\"\nwait 200")), "");
}

TEST(AudioLog, ChannelsLoopByThemselvesAndStopOnCommand) {
  GameFolder g;
  g.write_bytes("a.wav", soundtest::wav_file(200));
  auto lines = run_logged(g,
                          "dwaveloop 3,\"a.wav\"\ndwaveload 4,\"a.wav\"\ndwaveplay 5\nwait 500\n"
                          "dwaveplayloop 4\nwait 300\nchvol 3,-1\ndwave 6,\"\"\ndwavestop 4\n"
                          "dwave 7,\"a.wav\"\nwait 300\nchvol 7,40");
  EXPECT_EQ(whats(lines),
            "play ch3 a.wav loop\nplay ch4 a.wav loop\nstop ch3\nvolume ch3 100\nstop ch4\n"
            "play ch7 a.wav once\nend ch7\nvolume ch7 60\n");
}

TEST(AudioLog, VolumeCommandsAndTheirRangeErrors) {
  GameFolder g;
  g.write_bytes("a.wav", soundtest::wav_file(200));
  RunResult r;
  auto lines = run_logged(g,
                          "sevol 30\nvoicevol 80\ngetsevol %1\ngetvoicevol %2\nitoa $1,%1\nitoa $2,%2\n$1\n$2\n"
                          "dwave 0,\"a.wav\"\nwait 300\nsevol 101",
                          "", "", &r);
  EXPECT_EQ(box(r), "エラー\nボリュームは０～１００です。");
  EXPECT_EQ(lines[0].what, "volume ch1 70");
  EXPECT_EQ(lines[48].what, "volume ch49 70");
  EXPECT_EQ(lines[49].what, "volume ch0 20");
  EXPECT_EQ(lines[50].what, "play ch0 a.wav once");
  EXPECT_EQ(box(testsupport::run_game("voicevol -1")), "エラー\nボリュームは０～１００です。");
  EXPECT_EQ(box(testsupport::run_game("", "defmp3vol 101\n")), "エラー\nボリュームは０～１００です。");
  EXPECT_EQ(box(testsupport::run_game("getvoicevol $1")), "構文エラー\ngetvoicevolの第一引数は数字変数です。");
  EXPECT_EQ(box(testsupport::run_game("getcdvol $1")), "構文エラー\nmovの第一引数は数字変数です。");
}

TEST(AudioLog, SkipModeAndTheMenuSilenceSounds) {
  GameFolder g;
  g.write_bytes("a.wav", soundtest::wav_file(2000));
  const std::string body = "dwaveloop 2,\"a.wav\"\nwait 300\ndwave 2,\"a.wav\"\nwave \"a.wav\"\nv001\ndv001\nwait 100";
  g.write_bytes("voice/001.wav", soundtest::wav_file(2000));
  // Skip mode from the menu: the playing channel is stopped, nothing starts.
  auto lines = run_logged(g, body, "", "100 menu 40006\n");
  EXPECT_EQ(whats(lines), "play ch2 a.wav loop\nstop ch2\n");
  // Unless mode_wave_demo ran in the define block.
  lines = run_logged(g, body, "mode_wave_demo\n", "100 menu 40006\n");
  EXPECT_EQ(whats(lines),
            "play ch2 a.wav loop\nstop ch2\nplay ch2 a.wav once\nplay wave a.wav once\nstop wave\n"
            "play wave voice\\001.wav once\nplay ch0 voice\\001.wav once\nstop wave\nstop ch0\nstop ch2\n");
  // Waves switched off in the menu: the same.
  lines = run_logged(g, body, "", "100 menu 40018\n");
  EXPECT_EQ(whats(lines), "play ch2 a.wav loop\nstop ch2\n");
  // And on again.
  lines = run_logged(g, "wait 300\ndwave 2,\"a.wav\"", "", "100 menu 40018\n200 menu 40017\n");
  EXPECT_EQ(whats(lines), "play ch2 a.wav once\nstop ch2\n");
}

TEST(AudioLog, VoicesClicksAndAutoMode) {
  GameFolder g;
  g.write_bytes("voice/001.wav", soundtest::wav_file(2000));
  g.write_bytes("voice/002.wav", soundtest::wav_file(1000));
  g.write_bytes("c.wav", soundtest::wav_file(100));
  // v001 is cut by the click that ends the wait; dv002 is not; the click
  // voice plays on the wave device until the channels exist. (The game
  // starts about 500 ms into the run.)
  auto lines = run_logged(g, "v001\nあ@\ndv002\nい@\nwait 1500", "clickvoice \"c.wav\",\"\"\n",
                          "1000 click 10 10\n1500 click 10 10\n4000 move 1 1\n");
  EXPECT_EQ(whats(lines),
            "play wave voice\\001.wav once\nstop wave\nplay wave c.wav once\nplay ch0 voice\\002.wav once\n"
            "end wave\nplay ch10 c.wav once\nend ch10\nend ch0\n");
  // Auto mode waits for the voice on channel 0 to end before it ends the wait.
  lines = run_logged(g, "dv002\nあ@\ndwave 5,\"c.wav\"", "automode\nautomode_time 100\ndsound\n", "0 menu 40019\n");
  ASSERT_EQ(lines.size(), 4u) << whats(lines);
  EXPECT_EQ(lines[0].what, "play ch0 voice\\002.wav once");
  EXPECT_EQ(lines[1].what, "end ch0");
  EXPECT_EQ(lines[2].what, "play ch5 c.wav once");
  EXPECT_GE(lines[2].ms, lines[0].ms + 1000);
  EXPECT_LE(lines[2].ms, lines[0].ms + 1020);
  EXPECT_EQ(lines[3].what, "stop ch5");
}

TEST(AudioLog, MissingDamagedAndPressedFiles) {
  GameFolder g;
  RunResult r;
  run_logged(g, "dwave 1,\"none.wav\"", "", "", &r);
  EXPECT_EQ(box(r), "ロードエラー\nファイルnone.wavを開けません。");
  // noloaderror and nodv make missing files silent.
  auto lines = run_logged(g, "dwave 1,\"none.wav\"\nplay \"x.mid\"\nmp3 \"x.mp3\"", "noloaderror\n");
  EXPECT_EQ(whats(lines), "");
  // A capital MID without a sound-press entry is missing as far as MIDI goes.
  g.write_bytes("M.MID", soundtest::midi_file(100));
  run_logged(g, "play \"M.MID\"", "", "", &r);
  EXPECT_EQ(box(r), "ロードエラー\nファイルM.MIDを開けません。");
  // Damaged files: silent, a warning, the game goes on.
  std::string wav = soundtest::wav_file(500);
  g.write_bytes("short.wav", wav.substr(0, 30));
  std::string absurd = wav;
  absurd[40] = absurd[41] = absurd[42] = '\xff';
  absurd[43] = '\x7f';
  g.write_bytes("absurd.wav", absurd);
  g.write_bytes("noise.mid", std::string(300, '\x93'));
  g.write_bytes("nofmt.wav", "RIFF\x10\0\0\0WAVEdata\x04\0\0\0abcd");
  lines = run_logged(g,
                     "dwave 1,\"short.wav\"\ndwave 2,\"absurd.wav\"\nplay \"noise.mid\"\nwave \"nofmt.wav\"\n"
                     "dwave 60,\"absurd.wav\"\nchvol -3,20\ndwaveplay 99\nwait 600",
                     "", "", &r);
  EXPECT_EQ(r.status, 0) << r.err;
  // The cut-short data chunk plays what there is: 500 ms.
  EXPECT_EQ(whats(lines), "play ch2 absurd.wav once\nend ch2\n");
  EXPECT_EQ(lines[1].ms - lines[0].ms, 500);
  EXPECT_NE(r.err.find("short.wav"), std::string::npos);
  EXPECT_NE(r.err.find("no channel 60"), std::string::npos);
  // A sound-press plug-in decodes an unknown extension into the temporary folder.
  std::string pressed = "PRS1" + soundtest::wav_file(200);
  g.write_bytes("p.prs", pressed);
  std::ifstream plugin(ORVANE_SOUND_PRESS_PLUGIN, std::ios::binary);
  g.write_bytes("press.so", std::string(std::istreambuf_iterator<char>(plugin), std::istreambuf_iterator<char>()));
  lines = run_logged(g, "dwave 1,\"p.prs\"\nwait 300", "soundpressplgin \"press.dll|PRS\"\n");
  EXPECT_EQ(whats(lines), "play ch1 p.prs once\nend ch1\n");
  EXPECT_EQ(lines[1].ms - lines[0].ms, 200);
}

}  // namespace
