#include "platform/mode.h"

namespace platform {
bool headless = false;
}
