// sound/commands: the script commands of music, sound effects and voices, and volumes; the sound resets.
#pragma once

namespace sound {

// music
void cmd_mp3fadeout();
void cmd_cdfadeout();
void cmd_stop();
void cmd_mp3();  // also bgmonce
void cmd_mp3save();
void cmd_mp3loop();  // also bgm, bgmsave
void cmd_play();
void cmd_playonce();
void cmd_playstop();
// sound effects and voices
void cmd_mode_wave_demo();
void cmd_nodv();
void cmd_dsound();
void cmd_soundpressplgin();
void cmd_wave();
void cmd_dwave();
void cmd_dwaveload();
void cmd_dwaveplay();
void cmd_dwaveplayloop();
void cmd_dwaveloop();
void cmd_dwavestop();
void cmd_wavestop();
void cmd_waveloop();
// volume control
void cmd_getcdvol();
void cmd_setcdvol();
void cmd_setcdrestorevol();
void cmd_resetcdrestorevol();
void cmd_restorecdvol();
void cmd_delbgmvol();
void cmd_voicevol();  // also defvoicevol
void cmd_sevol();     // also defsevol
void cmd_mp3vol();    // also defmp3vol
void cmd_getvoicevol();
void cmd_getsevol();
void cmd_chvol();
void cmd_voltest();

// The start of the program and every full reset: every sound stopped (with
// the fades as set), the music names and CD track cleared, CD audio and
// waves enabled, the fade times and the sound-press table to their start.
void reset_sound();
// reset_to_start: every sound stopped without fades, the CD device closed,
// the music names, CD track and stream_saved cleared.
void reset_sound_to_start();
// Everything back to the program's start: nothing sounds, every table and
// setting at its start value, attenuations included (program start, tests).
void reset_sound_state();
// winexec: the CD stops and its device closes; the wave device stops.
void stop_sound_for_winexec();
// Before a saved game is restored: nothing fades; the music stops, the CD
// device closes, the wave device and the looping channels stop; one-shot
// effects play out.
void stop_sound_for_load();
// The main window's destruction: nothing fades; every music, the wave
// device and all channels stop; the CD device closes; the CD restore volume
// is set.
void stop_sound_at_quit();

}  // namespace sound
