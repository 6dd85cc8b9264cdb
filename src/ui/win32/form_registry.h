// The live form peers, in the order they were made, and the ones the last
// minimize hid, which the restore shows again. It only holds them: the peers
// find themselves in it (FormPeer::Of, FormPeer::AtWindow).
#pragma once
#include <vector>

namespace nimbul::ui::win32 {

class FormPeer;

class FormRegistry {
 public:
  void Add(FormPeer* f) { forms_.push_back(f); }
  // A form that goes leaves both lists.
  void Remove(FormPeer* f);
  const std::vector<FormPeer*>& All() const { return forms_; }

  void SetHiddenByMinimize(std::vector<FormPeer*> forms) { hiddenByMinimize_ = std::move(forms); }
  std::vector<FormPeer*> TakeHiddenByMinimize();

 private:
  std::vector<FormPeer*> forms_;
  std::vector<FormPeer*> hiddenByMinimize_;
};

}  // namespace nimbul::ui::win32
