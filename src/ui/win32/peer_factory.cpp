#include "ui/win32/peer_factory.h"

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/string_grid.h"
#include "ui/tool_bar.h"
#include "ui/win32/bar_peers.h"
#include "ui/win32/button_peers.h"
#include "ui/win32/edit_peers.h"
#include "ui/win32/form_peer.h"
#include "ui/win32/grid_peer.h"
#include "ui/win32/list_view_peer.h"
#include "ui/win32/page_control_peer.h"
#include "ui/win32/splitter_peer.h"
#include "ui/win32/static_peers.h"
#include "ui/win32/toolbar_peer.h"

namespace nimbul::ui::win32 {

std::unique_ptr<Peer> MakePeer(PeerContext& context, Control& c) {
  switch (c.GetKind()) {
    case Kind::Form: return std::make_unique<FormPeer>(context, static_cast<Form&>(c));
    case Kind::Panel: return std::make_unique<PanelPeer>(context, static_cast<Panel&>(c));
    case Kind::Label: return std::make_unique<LabelPeer>(context, static_cast<Label&>(c));
    case Kind::Button: return std::make_unique<ButtonPeer>(context, static_cast<Button&>(c));
    case Kind::CheckBox: return std::make_unique<CheckBoxPeer>(context, static_cast<CheckBox&>(c));
    case Kind::Edit:
    case Kind::Memo: return std::make_unique<EditPeer>(context, static_cast<Edit&>(c));
    case Kind::ToolBar: return std::make_unique<ToolBarPeer>(context, static_cast<ToolBar&>(c));
    case Kind::ToolButton: return std::make_unique<ToolButtonPeer>(context, static_cast<ToolButton&>(c));
    case Kind::Splitter: return std::make_unique<SplitterPeer>(context, static_cast<Splitter&>(c));
    case Kind::StringGrid: return std::make_unique<GridPeer>(context, static_cast<StringGrid&>(c));
    case Kind::StatusBar: return std::make_unique<StatusBarPeer>(context, static_cast<StatusBar&>(c));
    case Kind::HotKeyField: return std::make_unique<HotKeyPeer>(context, static_cast<HotKeyField&>(c));
    case Kind::ProgressBar: return std::make_unique<ProgressBarPeer>(context, static_cast<ProgressBar&>(c));
    case Kind::Image: return std::make_unique<ImagePeer>(context, static_cast<Image&>(c));
    case Kind::Animate: return std::make_unique<ListImagePeer>(context, static_cast<ListImage&>(c));
    case Kind::PageControl: return std::make_unique<PageControlPeer>(context, static_cast<PageControl&>(c));
    case Kind::ListView: return std::make_unique<ListViewPeer>(context, static_cast<ListView&>(c));
    case Kind::IconImage: return std::make_unique<IconImagePeer>(context, static_cast<IconImage&>(c));
  }
  return nullptr;
}

}  // namespace nimbul::ui::win32
