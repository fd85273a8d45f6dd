#include "app/screen.h"

namespace app {

int screen_width = 640;
int screen_height = 480;

}  // namespace app
