// Files on kernel32, in the system's ANSI code page.
#pragma once
#include "platform/files.h"

namespace nimbul::platform::win32 {

class Win32Files : public Files {
 public:
  std::string ExecutablePath() override;
  // True for files only; a folder of that name is no file.
  bool FileExists(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;
  bool CreateDirectoryA(const std::string& path) override;
  bool DeleteFileA(const std::string& path) override;
  // Plain files only: folders, hidden and system files are left out.
  std::vector<std::string> ListFiles(const std::string& pattern) override;
  bool ReadFile(const std::string& path, std::string* data) override;
  bool ReadFileStart(const std::string& path, std::size_t maxBytes, std::string* data) override;
  // Creates or truncates the file; false unless every byte was written.
  bool WriteFile(const std::string& path, const std::string& data) override;
  std::unique_ptr<FileWriter> CreateFileForWriting(const std::string& path) override;
  std::optional<LocalTime> LastWriteTime(const std::string& path) override;
};

}  // namespace nimbul::platform::win32
