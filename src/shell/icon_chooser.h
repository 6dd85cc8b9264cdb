// The tray icon chooser.
#pragma once
#include "ui/application.h"
#include "ui/form.h"

namespace nimbul::shell {

class TForm5 : public ui::Form {
 public:
  explicit TForm5(ui::Application& app);

  void FormCreate();
  // Brings the window back to the stored choice (writing its defaults first).
  void Res();
};

}  // namespace nimbul::shell
