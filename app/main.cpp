// The orvane program: reads the command line and plays a game folder.
#include <cstdio>

int main(int argc, char** argv) {
  std::puts("orvane: not built yet");
  return 0;
}
