// platform/cd_folder: the "cd" folder of the game that stands in for an audio CD.
#pragma once
#include <string>

namespace platform {

// The disc's track count: the highest NN of the files "trackNN.*" in the
// CD folder of the game folder (names in any case; track 1, the data
// track of a game disc, need not be there). 0 when there is no such folder
// or no such file.
int cd_track_count();

// The folder of the game that stands in for the disc ("cd" at the start;
// the CD drive dialog chooses another).
void set_cd_folder(const std::string& folder);

// The file of track `track` (a path to open), or empty when there is none.
std::string cd_track_path(int track);

}  // namespace platform
