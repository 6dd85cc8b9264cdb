// The native peer for each kind of control model.
#pragma once
#include <memory>

#include "ui/control.h"
#include "ui/peer.h"

namespace nimbul::ui::win32 {

class PeerContext;

std::unique_ptr<Peer> MakePeer(PeerContext& context, Control& c);

}  // namespace nimbul::ui::win32
