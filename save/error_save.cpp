#include "save/error_save.h"

#include "save/save_file.h"
#include "save/save_point.h"

namespace save {

// The state of the last save point; before the first one there is nothing
// to write.
void write_error_save() {
  if (!snapshot.taken && !save_point_noted()) return;
  write_save_file(kErrorSaveSlot);
}

}  // namespace save
