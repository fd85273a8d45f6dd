#include "save/error_save.h"

namespace save {

// Save files do not exist in this build yet: there is no snapshot to write.
void write_error_save() {}

}  // namespace save
