#include "platform/win32/win32_files.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform/win32/handle.h"

namespace nimbul::platform::win32 {

namespace {
// Reads and writes go in pieces small enough for a DWORD count.
constexpr DWORD kChunk = 1u << 20;

bool WriteAll(HANDLE file, const char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - done, kChunk));
    DWORD put = 0;
    if (!::WriteFile(file, data + done, want, &put, nullptr) || put == 0) return false;
    done += put;
  }
  return true;
}

class Win32FileWriter : public FileWriter {
 public:
  explicit Win32FileWriter(FileHandle file) : file_(std::move(file)) {}
  bool Write(const char* data, std::size_t size) override { return WriteAll(file_.get(), data, size); }

 private:
  FileHandle file_;
};

FileHandle CreateForWriting(const std::string& path) {
  return FileHandle(
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

std::string Win32Files::ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD n = ::GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0) return std::string();
    // A full buffer means the path may have been cut: try a larger one.
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

bool Win32Files::FileExists(const std::string& path) {
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32Files::IsDirectory(const std::string& path) {
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32Files::CreateDirectoryA(const std::string& path) {
  return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Win32Files::DeleteFileA(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

std::vector<std::string> Win32Files::ListFiles(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  FindHandle find(::FindFirstFileA(pattern.c_str(), &found));
  if (!find) return names;
  constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  do {
    if ((found.dwFileAttributes & kNotPlain) == 0) names.emplace_back(found.cFileName);
  } while (::FindNextFileA(find.get(), &found));
  return names;
}

bool Win32Files::ReadFile(const std::string& path, std::string* data) {
  return ReadFileStart(path, std::numeric_limits<std::size_t>::max() / 2, data);
}

bool Win32Files::ReadFileStart(const std::string& path, std::size_t maxBytes, std::string* data) {
  FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file.get(), &size)) return false;
  const unsigned long long whole = static_cast<unsigned long long>(size.QuadPart);
  if (whole > std::numeric_limits<std::size_t>::max() / 2 && maxBytes > std::numeric_limits<std::size_t>::max() / 2)
    return false;
  std::string content(static_cast<std::size_t>(std::min<unsigned long long>(whole, maxBytes)), '\0');
  std::size_t done = 0;
  while (done < content.size()) {
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, kChunk));
    DWORD got = 0;
    if (!::ReadFile(file.get(), &content[done], want, &got, nullptr)) return false;
    if (got == 0) break;  // the file shrank while being read
    done += got;
  }
  content.resize(done);
  *data = std::move(content);
  return true;
}

bool Win32Files::WriteFile(const std::string& path, const std::string& data) {
  FileHandle file = CreateForWriting(path);
  return file && WriteAll(file.get(), data.data(), data.size());
}

std::unique_ptr<FileWriter> Win32Files::CreateFileForWriting(const std::string& path) {
  FileHandle file = CreateForWriting(path);
  if (!file) return nullptr;
  return std::make_unique<Win32FileWriter>(std::move(file));
}

// The time the file system lists, turned into local time the way the
// system's own file lists show it.
std::optional<LocalTime> Win32Files::LastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  FILETIME local;
  SYSTEMTIME t;
  if (!::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !::FileTimeToSystemTime(&local, &t))
    return std::nullopt;
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute};
}

}  // namespace nimbul::platform::win32
