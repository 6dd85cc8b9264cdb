#include <algorithm>
#include <cctype>

#include "platform/fake/fake_desktop.h"

namespace nimbul::platform::fake {

// ---- registry ----

// The system refuses a sub-key path that starts with a backslash.
constexpr std::uint32_t kErrorBadPathname = 161;

FakeRegistry::KeyId FakeRegistry::Normal(Hkey root, const std::string& path) {
  std::string p;
  for (char c : path) p += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  while (!p.empty() && p.front() == '\\') p.erase(p.begin());
  while (!p.empty() && p.back() == '\\') p.pop_back();
  return {root, p};
}

bool FakeRegistry::Denied(const KeyId& id) const {
  for (const KeyId& d : denied_)
    if (d.first == id.first && (id.second == d.second || id.second.rfind(d.second + "\\", 0) == 0)) return true;
  return false;
}

void FakeRegistry::DenyWrites(Hkey root, const std::string& path) { denied_.push_back(Normal(root, path)); }

bool FakeRegistry::KeyExists(Hkey root, const std::string& path) const { return keys_.count(Normal(root, path)) != 0; }

const FakeRegistry::Value* FakeRegistry::Find(Hkey root, const std::string& path, const std::string& name) const {
  auto k = keys_.find(Normal(root, path));
  if (k == keys_.end()) return nullptr;
  auto v = k->second.values.find(FakeFiles::Lower(name));
  return v == k->second.values.end() ? nullptr : &v->second;
}

void FakeRegistry::Put(Hkey root, const std::string& path, const std::string& name, std::uint32_t type,
                       std::vector<std::uint8_t> data) {
  Value v{name, type, std::move(data)};
  std::string lname = FakeFiles::Lower(name);
  CreateKey(Normal(root, path)).values[lname] = std::move(v);
}

FakeRegistry::Key& FakeRegistry::CreateKey(const KeyId& id) {
  // Like the real registry, a key's parents come into being with it.
  for (auto sep = id.second.find('\\'); sep != std::string::npos; sep = id.second.find('\\', sep + 1))
    keys_[{id.first, id.second.substr(0, sep)}];
  return keys_[id];
}

void FakeRegistry::PutString(Hkey root, const std::string& path, const std::string& name, const std::string& s) {
  std::vector<std::uint8_t> d(s.begin(), s.end());
  d.push_back(0);
  Put(root, path, name, kRegSz, d);
}

void FakeRegistry::PutDword(Hkey root, const std::string& path, const std::string& name, std::uint32_t v) {
  Put(root, path, name, kRegDword,
      {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
       static_cast<std::uint8_t>(v >> 24)});
}

std::vector<std::string> FakeRegistry::ValueNames(Hkey root, const std::string& path) const {
  std::vector<std::string> out;
  auto k = keys_.find(Normal(root, path));
  if (k != keys_.end())
    for (auto& [lname, v] : k->second.values) out.push_back(v.name);
  return out;
}

const FakeRegistry::KeyId* FakeRegistry::Resolve(Hkey key, const std::string& sub, KeyId* storage) const {
  if (key == kHkeyCurrentUser || key == kHkeyLocalMachine) {
    *storage = Normal(key, sub);
    return storage;
  }
  auto h = handles_.find(key);
  if (h == handles_.end()) return nullptr;
  *storage = h->second;
  if (!sub.empty()) {
    KeyId s = Normal(Hkey{}, sub);
    storage->second = storage->second.empty() ? s.second : storage->second + "\\" + s.second;
  }
  return storage;
}

KeyOwner FakeRegistry::Hand(const KeyId& id) {
  Hkey h{nextHandle_++};
  handles_[h] = id;
  return KeyOwner(h, [this](Hkey k) { handles_.erase(k); });
}

std::uint32_t FakeRegistry::RegCreateKeyExA(Hkey root, const std::string& path, std::uint32_t, KeyOwner* result) {
  if (!path.empty() && path.front() == '\\') return kErrorBadPathname;
  KeyId id;
  if (!Resolve(root, path, &id)) return 6;  // ERROR_INVALID_HANDLE
  if (!keys_.count(id)) {
    if (Denied(id)) return kErrorAccessDenied;
    CreateKey(id);
  } else if (Denied(id)) {
    return kErrorAccessDenied;  // full access asked for
  }
  *result = Hand(id);
  return kErrorSuccess;
}

std::uint32_t FakeRegistry::RegCreateVolatileKeyA(Hkey root, const std::string& path, std::uint32_t access,
                                                  KeyOwner* result) {
  KeyId id;
  const bool existed = Resolve(root, path, &id) && keys_.count(id);
  const std::uint32_t status = RegCreateKeyExA(root, path, access, result);
  if (status == kErrorSuccess && !existed) volatile_.insert(id);
  return status;
}

void FakeRegistry::LogOff() {
  for (const KeyId& id : volatile_) {
    for (auto it = keys_.begin(); it != keys_.end();) {
      const bool below = it->first.first == id.first &&
                         (it->first.second == id.second || it->first.second.rfind(id.second + "\\", 0) == 0);
      it = below ? keys_.erase(it) : std::next(it);
    }
  }
  volatile_.clear();
}

std::uint32_t FakeRegistry::RegOpenKeyExA(Hkey root, const std::string& path, std::uint32_t access, KeyOwner* result) {
  constexpr std::uint32_t kWriteRights = 0x0002 | 0x0004;  // KEY_SET_VALUE, KEY_CREATE_SUB_KEY
  if (!path.empty() && path.front() == '\\') return kErrorBadPathname;
  KeyId id;
  if (!Resolve(root, path, &id)) return 6;
  if (!keys_.count(id)) return kErrorFileNotFound;
  if ((access & kWriteRights) != 0 && Denied(id)) return kErrorAccessDenied;
  *result = Hand(id);
  return kErrorSuccess;
}

std::uint32_t FakeRegistry::RegQueryValueExA(Hkey key, const std::string& name, std::uint32_t* type,
                                             std::vector<std::uint8_t>* data) {
  KeyId id;
  if (!Resolve(key, "", &id)) return 6;
  auto k = keys_.find(id);
  if (k == keys_.end()) return kErrorFileNotFound;
  std::string lname = FakeFiles::Lower(name);
  auto v = k->second.values.find(lname);
  if (v == k->second.values.end()) return kErrorFileNotFound;
  if (type) *type = v->second.type;
  if (data) *data = v->second.data;
  return kErrorSuccess;
}

std::uint32_t FakeRegistry::RegSetValueExA(Hkey key, const std::string& name, std::uint32_t type,
                                           const std::vector<std::uint8_t>& data) {
  KeyId id;
  if (!Resolve(key, "", &id)) return 6;
  if (Denied(id)) return kErrorAccessDenied;
  std::string lname = FakeFiles::Lower(name);
  auto& values = CreateKey(id).values;
  auto v = values.find(lname);
  if (v == values.end())
    values[lname] = Value{name, type, data};
  else {
    v->second.type = type;
    v->second.data = data;
  }
  return kErrorSuccess;
}

std::uint32_t FakeRegistry::RegDeleteValueA(Hkey key, const std::string& name) {
  KeyId id;
  if (!Resolve(key, "", &id)) return 6;
  if (Denied(id)) return kErrorAccessDenied;
  auto k = keys_.find(id);
  if (k == keys_.end()) return kErrorFileNotFound;
  return k->second.values.erase(FakeFiles::Lower(name)) ? kErrorSuccess : kErrorFileNotFound;
}

// ---- atoms and hotkeys ----

AtomOwner FakeHotkeys::GlobalAddAtomA(const std::string& name) {
  Atom found{};
  for (auto& [a, e] : atoms_)
    if (FakeFiles::Lower(e.name) == FakeFiles::Lower(name)) {
      ++e.refs;
      found = a;
      break;
    }
  if (IsNull(found)) {
    found = Atom{nextAtom_++};
    atoms_[found] = {name, 1};
  }
  return AtomOwner(found, [this](Atom a) { DeleteAtom(a); });
}

void FakeHotkeys::DeleteAtom(Atom atom) {
  auto it = atoms_.find(atom);
  if (it == atoms_.end()) return;
  if (--it->second.refs == 0) atoms_.erase(it);
}

int FakeHotkeys::AtomRefs(Atom a) const {
  auto it = atoms_.find(a);
  return it == atoms_.end() ? 0 : it->second.refs;
}

bool FakeHotkeys::RegisterHotKey(Hwnd w, int id, unsigned modifiers, unsigned vk) {
  for (auto& r : regs_)
    if (r.hwnd == w && r.id == id) return false;  // already registered under that window and id
  bool granted = !taken_.count({modifiers, vk});
  for (auto& r : regs_)
    if (r.granted && r.modifiers == modifiers && r.vk == vk) granted = false;
  regs_.push_back({w, id, modifiers, vk, granted});
  return granted;
}

bool FakeHotkeys::UnregisterHotKey(Hwnd w, int id) {
  auto it = std::find_if(regs_.begin(), regs_.end(), [&](const Registration& r) { return r.hwnd == w && r.id == id; });
  if (it == regs_.end()) return false;
  regs_.erase(it);
  return true;
}

WindowOwner FakeHotkeys::CreateHotkeyWindow(std::function<void(unsigned id)> onHotkey) {
  Hwnd h = wm_.AddChildWindow("TKeyHot");
  wm_.Get(h).onHotkey = std::move(onHotkey);
  return WindowOwner(h, [this](Hwnd w) { wm_.CloseWindow(w); });
}

bool FakeHotkeys::Press(unsigned modifiers, unsigned vk) {
  for (auto& r : regs_)
    if (r.granted && r.modifiers == modifiers && r.vk == vk && vk != 0) {
      Post(r.hwnd, static_cast<unsigned>(r.id));
      return true;
    }
  return false;
}

void FakeHotkeys::Post(Hwnd w, unsigned id) {
  if (!wm_.Exists(w)) return;
  auto handler = wm_.Get(w).onHotkey;  // copy: the handler may re-register
  if (handler) handler(id);
}

// ---- mutexes ----

MutexResult FakeMutexes::CreateMutexA(bool, const std::string& name) {
  MutexResult r;
  r.handle = HandleOwner(Handle{next_++}, [this](Handle h) { closed.push_back(h); });
  r.lastError = names.count(name) ? kErrorAlreadyExists : kErrorSuccess;
  names.insert(name);
  return r;
}

// ---- files ----

std::string FakeFiles::Lower(const std::string& s) {
  std::string out;
  for (char c : s) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

void FakeFiles::Put(const std::string& path, const std::string& data) {
  std::lock_guard<std::mutex> lock(mutex_);
  files_[Lower(path)] = {path, data};
}

bool FakeFiles::Has(const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return files_.count(Lower(path)) != 0;
}

std::string FakeFiles::Content(const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = files_.find(Lower(path));
  return it == files_.end() ? std::string() : it->second.data;
}

void FakeFiles::LockFolder(const std::string& folder) {
  std::lock_guard<std::mutex> lock(mutex_);
  locked_.push_back(Lower(folder));
}

bool FakeFiles::Locked(const std::string& path) const {
  std::string lp = Lower(path);
  for (const std::string& folder : locked_)
    if (lp.rfind(folder, 0) == 0) return true;
  return false;
}

bool FakeFiles::DeleteFileA(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  // As on Windows, a file open for writing (without sharing) can't be deleted.
  if (writing_.count(Lower(path))) return false;
  if (!files_.erase(Lower(path))) return false;
  deleted.push_back(path);
  return true;
}

std::vector<std::string> FakeFiles::ListFiles(const std::string& pattern) {
  // Supports "<folder>\*.<ext>" and "<folder>\*".
  std::lock_guard<std::mutex> lock(mutex_);
  std::string lp = Lower(pattern);
  auto slash = lp.find_last_of('\\');
  std::string folder = lp.substr(0, slash + 1);
  std::string mask = lp.substr(slash + 1);
  std::string ext = mask.size() > 1 && mask[0] == '*' ? mask.substr(1) : "";
  std::vector<std::string> out;
  for (auto& [key, e] : files_) {
    if (key.rfind(folder, 0) != 0) continue;
    std::string rest = key.substr(folder.size());
    if (rest.find('\\') != std::string::npos) continue;
    if (!ext.empty() && ext != ".*" &&
        (rest.size() < ext.size() || rest.compare(rest.size() - ext.size(), ext.size(), ext) != 0))
      continue;
    out.push_back(e.path.substr(folder.size()));
  }
  return out;
}

bool FakeFiles::IsDirectory(const std::string& path) {
  std::string folder = Lower(path);
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  if (folder.empty()) return false;
  if (dirs_.count(folder)) return true;
  std::string prefix = folder + "\\";
  for (auto& [key, e] : files_)
    if (key.rfind(prefix, 0) == 0) return true;
  return false;
}

bool FakeFiles::CreateDirectoryA(const std::string& path) {
  if (refuseCreateDirectory || IsDirectory(path)) return false;
  std::string folder = Lower(path);
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  dirs_.insert(folder);
  return true;
}

bool FakeFiles::ReadFile(const std::string& path, std::string* data) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = files_.find(Lower(path));
  if (it == files_.end()) return false;
  *data = it->second.data;
  return true;
}

bool FakeFiles::ReadFileStart(const std::string& path, std::size_t maxBytes, std::string* data) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = files_.find(Lower(path));
  if (it == files_.end()) return false;
  *data = it->second.data.substr(0, maxBytes);
  return true;
}

bool FakeFiles::WriteFile(const std::string& path, const std::string& data) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Locked(path)) return false;
  files_[Lower(path)] = {path, data};
  return true;
}

void FakeFiles::Append(const std::string& path, const char* data, std::size_t size) {
  std::lock_guard<std::mutex> lock(mutex_);
  Entry& e = files_[Lower(path)];
  e.path = path;
  e.data.append(data, size);
}

class FakeFileWriter : public FileWriter {
 public:
  FakeFileWriter(FakeFiles& files, std::string path) : files_(files), path_(std::move(path)) {}
  ~FakeFileWriter() override {
    std::lock_guard<std::mutex> lock(files_.mutex_);
    files_.writing_.erase(FakeFiles::Lower(path_));
  }
  bool Write(const char* data, std::size_t size) override {
    files_.Append(path_, data, size);
    return true;
  }

 private:
  FakeFiles& files_;
  std::string path_;
};

std::unique_ptr<FileWriter> FakeFiles::CreateFileForWriting(const std::string& path) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (Locked(path) || writing_.count(Lower(path))) return nullptr;
    files_[Lower(path)] = {path, ""};
    writing_.insert(Lower(path));
  }
  return std::make_unique<FakeFileWriter>(*this, path);
}

std::optional<LocalTime> FakeFiles::LastWriteTime(const std::string& path) {
  auto it = writeTimes.find(Lower(path));
  if (it == writeTimes.end()) return std::nullopt;
  return it->second;
}

// ---- version information ----

std::optional<std::array<std::uint16_t, 4>> FakeVersionInfo::FileVersion(const std::string& path) {
  auto it = versions.find(FakeFiles::Lower(path));
  if (it == versions.end()) return std::nullopt;
  return it->second;
}

// ---- timers ----

std::uint32_t FakeTimers::StartTimer(unsigned intervalMs, std::function<void()> tick) {
  std::uint32_t id = next_++;
  timers_[id] = {intervalMs, now_ + intervalMs, std::move(tick)};
  return id;
}

void FakeTimers::KillTimer(std::uint32_t id) { timers_.erase(id); }

void FakeTimers::Advance(std::uint64_t ms) {
  std::uint64_t end = now_ + ms;
  for (;;) {
    std::uint32_t dueId = 0;
    std::uint64_t due = end + 1;
    for (auto& [id, t] : timers_)
      if (t.due < due) {
        due = t.due;
        dueId = id;
      }
    if (dueId == 0 || due > end) break;
    now_ = due;
    auto& t = timers_[dueId];
    t.due += t.interval;
    auto tick = t.tick;  // the tick may kill its own timer
    tick();
  }
  now_ = end;
}

// ---- dispatcher ----

bool FakeDispatcher::Send(Work work) {
  if (!OnUiThread()) return queue_.SendAndWait(std::move(work));
  if (queue_.Closed()) return false;
  work();
  return true;
}

// ---- the desktop ----

FakeDesktop::FakeDesktop() { version.versions[FakeFiles::Lower(files.exePath)] = {1, 7, 1, 6}; }

}  // namespace nimbul::platform::fake
