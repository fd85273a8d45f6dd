// The orvane program: reads the command line and plays a game folder.
#include "app/startup.h"

int main(int argc, char** argv) { return app::run_program(argc, argv); }
