#include "sound/command_rows.h"

#include "sound/commands.h"

namespace sound {

namespace {

using interp::CommandRow;

// One row a line, as the command list reads.
// clang-format off
const CommandRow music_rows_array[] = {
    {"mp3fadeout", cmd_mp3fadeout, false},
    {"cdfadeout", cmd_cdfadeout, false},
    {"stop", cmd_stop, false},
    {"mp3", cmd_mp3, false},
    {"bgmonce", cmd_mp3, false},
    {"mp3save", cmd_mp3save, false},
    {"bgmsave", cmd_mp3loop, false},
    {"mp3loop", cmd_mp3loop, false},
    {"bgm", cmd_mp3loop, false},
    {"play", cmd_play, false},
    {"playonce", cmd_playonce, false},
    {"playstop", cmd_playstop, false},
};

const CommandRow effect_rows_array[] = {
    {"mode_wave_demo", cmd_mode_wave_demo, true},
    {"nodv", cmd_nodv, true},
    {"dsound", cmd_dsound, true},
    {"soundpressplgin", cmd_soundpressplgin, true},
    {"wave", cmd_wave, false},
    {"dwave", cmd_dwave, false},
    {"dwaveload", cmd_dwaveload, false},
    {"dwaveplay", cmd_dwaveplay, false},
    {"dwaveplayloop", cmd_dwaveplayloop, false},
    {"dwaveloop", cmd_dwaveloop, false},
    {"dwavestop", cmd_dwavestop, false},
    {"wavestop", cmd_wavestop, false},
    {"waveloop", cmd_waveloop, false},
};

const CommandRow volume_rows_array[] = {
    {"getcdvol", cmd_getcdvol, false},
    {"setcdvol", cmd_setcdvol, false},
    {"setcdrestorevol", cmd_setcdrestorevol, false},
    {"resetcdrestorevol", cmd_resetcdrestorevol, false},
    {"restorecdvol", cmd_restorecdvol, false},
    {"delbgmvol", cmd_delbgmvol, true},
    {"defvoicevol", cmd_voicevol, true},
    {"defsevol", cmd_sevol, true},
    {"defmp3vol", cmd_mp3vol, true},
    {"getvoicevol", cmd_getvoicevol, false},
    {"getsevol", cmd_getsevol, false},
    {"chvol", cmd_chvol, false},
    {"voicevol", cmd_voicevol, false},
    {"sevol", cmd_sevol, false},
    {"mp3vol", cmd_mp3vol, false},
    {"voltest", cmd_voltest, false},
};
// clang-format on

}  // namespace

const interp::CommandRows music_rows = music_rows_array;
const interp::CommandRows effect_rows = effect_rows_array;
const interp::CommandRows volume_rows = volume_rows_array;

}  // namespace sound
