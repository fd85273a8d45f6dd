#include "interp/hooks.h"

namespace interp {

Hooks hooks;

}  // namespace interp
