// Files and the running executable's place.
#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace nimbul::platform {

// A file open for writing; closed when the owner goes.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // Appends the bytes; false unless all of them were written.
  virtual bool Write(const char* data, std::size_t size) = 0;
};

// A moment in the user's local time, to the minute.
struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

class Files {
 public:
  virtual ~Files() = default;
  // Full path of the running executable.
  virtual std::string ExecutablePath() = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // True when the path names an existing folder.
  virtual bool IsDirectory(const std::string& path) = 0;
  virtual bool CreateDirectoryA(const std::string& path) = 0;
  virtual bool DeleteFileA(const std::string& path) = 0;
  // Names (not paths) of the plain files matching `pattern` (e.g. "C:\\x\\*.ico"):
  // folders, hidden and system files are left out.
  virtual std::vector<std::string> ListFiles(const std::string& pattern) = 0;
  virtual bool ReadFile(const std::string& path, std::string* data) = 0;
  // At most the first `maxBytes` bytes of the file: a large file costs no
  // more than that.
  virtual bool ReadFileStart(const std::string& path, std::size_t maxBytes, std::string* data) = 0;
  virtual bool WriteFile(const std::string& path, const std::string& data) = 0;
  // Creates the file, or truncates it if it exists; null when it can't be.
  // The writer may be used on another thread.
  virtual std::unique_ptr<FileWriter> CreateFileForWriting(const std::string& path) = 0;
  // When the file was last written, in local time; nothing when it cannot be read.
  virtual std::optional<LocalTime> LastWriteTime(const std::string& path) = 0;
};

}  // namespace nimbul::platform
