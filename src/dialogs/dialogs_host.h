// What the information dialogs need of the main window.
#pragma once
#include "ui/form.h"

namespace nimbul::dialogs {

class DialogsHost {
 public:
  virtual ~DialogsHost() = default;
  // The window that is disabled while a dialog is open.
  virtual ui::Form& HostForm() = 0;
  // Ends the program the way closing the main window does.
  virtual void EndProgram() = 0;
};

}  // namespace nimbul::dialogs
