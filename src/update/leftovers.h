// What an update leaves in the program's folder, cleared at every start.
#pragma once
#include "ui/application.h"

namespace nimbul::update {

// Deletes the files of an earlier update (description, downloaded program,
// batch file, the stand-by copy of the old program). When the batch file
// left a note that the update failed, shows it in a plain message box and
// deletes it.
void RemoveUpdateLeftovers(ui::Application& app);

}  // namespace nimbul::update
