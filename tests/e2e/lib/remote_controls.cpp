#include "remote_controls.h"

#include <commctrl.h>

#include <stdexcept>

#include "desktop.h"

namespace nimbul::e2e {
namespace {

constexpr UINT kAnswerDeadlineMs = 5000;
constexpr size_t kTextCapacity = 1024;

}  // namespace

RemoteMemory::RemoteMemory(HWND ownerWindow, size_t size) {
  const DWORD pid = ProcessOf(ownerWindow);
  process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
  if (!process_) {
    const DWORD error = GetLastError();
    throw std::runtime_error("cannot open process " + std::to_string(pid) + " (error " + std::to_string(error) + ")");
  }
  address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!address_) {
    const DWORD error = GetLastError();
    throw std::runtime_error("cannot reserve memory in process " + std::to_string(pid) + " (error " +
                             std::to_string(error) + ")");
  }
}

RemoteMemory::~RemoteMemory() {
  if (address_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
}

void RemoteMemory::Write(size_t offset, const void* data, size_t size) {
  SIZE_T done = 0;
  if (!WriteProcessMemory(process_.get(), static_cast<char*>(address_) + offset, data, size, &done) || done != size) {
    throw std::runtime_error("cannot write another process's memory");
  }
}

void RemoteMemory::Read(size_t offset, void* data, size_t size) const {
  SIZE_T done = 0;
  if (!ReadProcessMemory(process_.get(), static_cast<const char*>(address_) + offset, data, size, &done) ||
      done != size) {
    throw std::runtime_error("cannot read another process's memory");
  }
}

LRESULT SendWithDeadline(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerDeadlineMs, &result)) {
    throw std::runtime_error("window " + ClassOf(window) + " did not answer message " + std::to_string(message));
  }
  return static_cast<LRESULT>(result);
}

int RemoteListView::RowCount() const { return static_cast<int>(SendWithDeadline(listView_, LVM_GETITEMCOUNT, 0, 0)); }

std::string RemoteListView::Text(int row, int column) const {
  RemoteMemory memory(listView_, sizeof(LVITEMA) + kTextCapacity);
  char* remoteText = static_cast<char*>(memory.address()) + sizeof(LVITEMA);
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = remoteText;
  item.cchTextMax = static_cast<int>(kTextCapacity);
  memory.Write(0, &item, sizeof item);
  const auto length = static_cast<size_t>(SendWithDeadline(listView_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                                           reinterpret_cast<LPARAM>(memory.address())));
  std::string text(kTextCapacity, '\0');
  memory.Read(sizeof(LVITEMA), text.data(), kTextCapacity);
  text.resize(length < kTextCapacity ? length : kTextCapacity - 1);
  return text;
}

std::vector<std::vector<std::string>> RemoteListView::Rows(int columns) const {
  std::vector<std::vector<std::string>> rows;
  const int count = RowCount();
  for (int r = 0; r < count; ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < columns; ++c) row.push_back(Text(r, c));
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<std::string> RemoteListView::ColumnTitles() const {
  std::vector<std::string> titles;
  RemoteMemory memory(listView_, sizeof(LVCOLUMNA) + kTextCapacity);
  char* remoteText = static_cast<char*>(memory.address()) + sizeof(LVCOLUMNA);
  for (int c = 0;; ++c) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = remoteText;
    column.cchTextMax = static_cast<int>(kTextCapacity);
    memory.Write(0, &column, sizeof column);
    const char nothing = '\0';
    memory.Write(sizeof(LVCOLUMNA), &nothing, 1);
    if (!SendWithDeadline(listView_, LVM_GETCOLUMNA, static_cast<WPARAM>(c),
                          reinterpret_cast<LPARAM>(memory.address()))) {
      break;
    }
    std::string text(kTextCapacity, '\0');
    memory.Read(sizeof(LVCOLUMNA), text.data(), kTextCapacity);
    titles.emplace_back(text.c_str());
  }
  return titles;
}

int RemoteListView::SelectedRow() const {
  return static_cast<int>(SendWithDeadline(listView_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

POINT RemoteListView::RowPointOnScreen(int row) const {
  RemoteMemory memory(listView_, sizeof(RECT));
  RECT r{};
  r.left = LVIR_LABEL;
  memory.Write(0, &r, sizeof r);
  if (!SendWithDeadline(listView_, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                        reinterpret_cast<LPARAM>(memory.address()))) {
    throw std::runtime_error("row " + std::to_string(row) + " has no rectangle");
  }
  memory.Read(0, &r, sizeof r);
  // Near the label's left end: the middle of a long title may lie beyond
  // the visible part of the column.
  POINT p{r.left + (r.right - r.left < 16 ? (r.right - r.left) / 2 : 8), (r.top + r.bottom) / 2};
  ClientToScreen(listView_, &p);
  return p;
}

std::string StatusBarText(HWND statusBar, int part) {
  // A one-panel bar may be in simple mode, where the text has its own slot.
  if (part == 0 && SendWithDeadline(statusBar, SB_ISSIMPLE, 0, 0)) part = SB_SIMPLEID;
  const LRESULT lengthAndKind = SendWithDeadline(statusBar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part), 0);
  const size_t length = LOWORD(lengthAndKind);
  RemoteMemory memory(statusBar, length + 1);
  SendWithDeadline(statusBar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(memory.address()));
  std::string text(length + 1, '\0');
  memory.Read(0, text.data(), length + 1);
  text.resize(length);
  return text;
}

}  // namespace nimbul::e2e
