// The native peer for each kind of control model.
#pragma once
#include <memory>

#include "ui/control.h"
#include "ui/peer.h"

namespace nimbul::ui::win32 {

class Win32Backend;

std::unique_ptr<Peer> MakePeer(Win32Backend& backend, Control& c);

}  // namespace nimbul::ui::win32
