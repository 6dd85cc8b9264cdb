#include "ui/win32/form_registry.h"

#include <algorithm>

namespace nimbul::ui::win32 {

void FormRegistry::Remove(FormPeer* f) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
  hiddenByMinimize_.erase(std::remove(hiddenByMinimize_.begin(), hiddenByMinimize_.end(), f), hiddenByMinimize_.end());
}

std::vector<FormPeer*> FormRegistry::TakeHiddenByMinimize() {
  std::vector<FormPeer*> forms;
  forms.swap(hiddenByMinimize_);
  return forms;
}

}  // namespace nimbul::ui::win32
