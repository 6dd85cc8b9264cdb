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

std::unique_ptr<Peer> MakePeer(Win32Backend& backend, Control& c) {
  switch (c.GetKind()) {
    case Kind::Form: return std::make_unique<FormPeer>(backend, static_cast<Form&>(c));
    case Kind::Panel: return std::make_unique<PanelPeer>(backend, static_cast<Panel&>(c));
    case Kind::Label: return std::make_unique<LabelPeer>(backend, static_cast<Label&>(c));
    case Kind::Button: return std::make_unique<ButtonPeer>(backend, static_cast<Button&>(c));
    case Kind::CheckBox: return std::make_unique<CheckBoxPeer>(backend, static_cast<CheckBox&>(c));
    case Kind::Edit:
    case Kind::Memo: return std::make_unique<EditPeer>(backend, static_cast<Edit&>(c));
    case Kind::ToolBar: return std::make_unique<ToolBarPeer>(backend, static_cast<ToolBar&>(c));
    case Kind::ToolButton: return std::make_unique<ToolButtonPeer>(backend, static_cast<ToolButton&>(c));
    case Kind::Splitter: return std::make_unique<SplitterPeer>(backend, static_cast<Splitter&>(c));
    case Kind::StringGrid: return std::make_unique<GridPeer>(backend, static_cast<StringGrid&>(c));
    case Kind::StatusBar: return std::make_unique<StatusBarPeer>(backend, static_cast<StatusBar&>(c));
    case Kind::HotKeyField: return std::make_unique<HotKeyPeer>(backend, static_cast<HotKeyField&>(c));
    case Kind::ProgressBar: return std::make_unique<ProgressBarPeer>(backend, static_cast<ProgressBar&>(c));
    case Kind::Image: return std::make_unique<ImagePeer>(backend, static_cast<Image&>(c));
    case Kind::Animate: return std::make_unique<ListImagePeer>(backend, static_cast<ListImage&>(c));
    case Kind::PageControl: return std::make_unique<PageControlPeer>(backend, static_cast<PageControl&>(c));
    case Kind::ListView: return std::make_unique<ListViewPeer>(backend, static_cast<ListView&>(c));
    case Kind::IconImage: return std::make_unique<IconImagePeer>(backend, static_cast<IconImage&>(c));
  }
  return nullptr;
}

}  // namespace nimbul::ui::win32
