// Reading another process's common controls. Their messages carry pointers,
// so the structures and text buffers live in memory reserved inside the
// owning process; the driver writes the request there and reads back the
// answer. Every message has a deadline, so a hung program fails the test
// instead of stalling it.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win32/handle.h"

namespace nimbul::e2e {

// A block of memory inside another process, released with the object.
class RemoteMemory {
 public:
  RemoteMemory(HWND ownerWindow, size_t size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  // The block's address in the other process, to pass in a message.
  void* address() const { return address_; }
  void Write(size_t offset, const void* data, size_t size);
  void Read(size_t offset, void* data, size_t size) const;

 private:
  platform::win32::KernelHandle process_;
  void* address_ = nullptr;
};

// Sends a message to another process's window and returns its result;
// throws std::runtime_error when the window does not answer in time.
LRESULT SendWithDeadline(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A report-mode ListView ("SysListView32") of another process.
class RemoteListView {
 public:
  explicit RemoteListView(HWND listView) : listView_(listView) {}

  HWND handle() const { return listView_; }
  int RowCount() const;
  std::string Text(int row, int column) const;
  // Every row's texts of the first `columns` columns.
  std::vector<std::vector<std::string>> Rows(int columns = 2) const;
  std::vector<std::string> ColumnTitles() const;
  // Index of the first selected row, or -1.
  int SelectedRow() const;
  // Screen position of the middle of a row's label, for clicks.
  POINT RowPointOnScreen(int row) const;

 private:
  HWND listView_;
};

// The text of one part of another process's status bar ("msctls_statusbar32").
std::string StatusBarText(HWND statusBar, int part = 0);

}  // namespace nimbul::e2e
