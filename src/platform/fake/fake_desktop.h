// An in-memory desktop for tests: windows in Z-order, registry, atoms and
// hotkeys, files, a clock, message boxes and the shell's log.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/fake_dispatcher.h"
#include "platform/platform.h"

namespace nimbul::platform::fake {

struct FakeWindow {
  Hwnd hwnd{};
  std::string title;
  std::string className;
  Hwnd owner{};
  Hwnd parent{};  // for child windows: the window they sit in
  bool visible = false;
  bool cloaked = false;  // counts as visible, yet the desktop window manager keeps it off the screen
  bool enabled = true;
  bool topLevel = true;
  bool hung = false;         // its thread no longer handles messages, and the system says so
  bool stalled = false;      // its thread has just stopped; the system does not know yet
  bool refusesHide = false;  // ShowWindow(SW_HIDE) has no effect
  bool postedLate = false;   // busy: a request posted to it has not been taken yet
  bool iconic = false;
  std::uint32_t processId = 0;  // each window its own program unless a test says otherwise
  Hicon classSmallIcon{};
  Hicon classIcon{};
  Hwnd lastActivePopup{};                  // for owners: most recently active owned window
  std::function<void(unsigned)> onHotkey;  // hotkey windows
};

struct MessageBoxRecord {
  Hwnd owner;
  std::string text;
  std::string caption;
  unsigned flags;
};

struct ShellCall {
  Hwnd owner;
  std::string file, parameters, directory;
  int showCmd;
};

struct ShowCall {
  Hwnd hwnd;
  int cmd;
  bool async;
};

class FakeWindowManager : public WindowManager {
 public:
  // Adds a top-level window at the top of the Z-order; returns its handle.
  Hwnd AddWindow(const std::string& title, const std::string& className = "TargetWindow", bool visible = true,
                 Hwnd owner = {});
  // A window that is not top-level (a control or a hotkey window), inside `parent` when given.
  Hwnd AddChildWindow(const std::string& className, Hwnd parent = {});
  void CloseWindow(Hwnd w);
  FakeWindow& Get(Hwnd w);
  bool Exists(Hwnd w) const { return windows_.count(w) != 0; }
  void SetTitle(Hwnd w, const std::string& title) { Get(w).title = title; }
  void BringToTop(Hwnd w);
  void SendToBottom(Hwnd w);
  void MakeTopmost(Hwnd w);  // always on top: above every normal window
  // Z-order, top first.
  const std::vector<Hwnd>& ZOrder() const { return zorder_; }
  void SetForeground(Hwnd w) { foreground_ = w; }
  // The next handle AddWindow hands out.
  void SetNextHandle(Hwnd h) { next_ = Raw(h); }

  std::vector<MessageBoxRecord> boxes;
  // Answers each message box; by default OK (or the first button).
  std::function<int(const MessageBoxRecord&)> answerBox;
  std::vector<ShowCall> showCalls;
  std::vector<Hwnd> foregroundCalls;
  std::uint32_t systemKeysState = 0;  // SPI 97 state
  std::vector<unsigned> spiCalls;
  std::map<unsigned, std::string> keyNames;  // scan code -> layout's name
  // Called on every ShowWindow; lets a test watch the order of events.
  std::function<void(Hwnd, int)> onShow;

  Hwnd GetWindow(Hwnd w, unsigned cmd) override;
  std::string GetWindowTextA(Hwnd w) override;
  bool IsWindowVisible(Hwnd w) override;
  bool IsWindow(Hwnd w) override { return Exists(w); }
  bool IsWindowEnabled(Hwnd w) override;
  std::uint32_t GetWindowProcessId(Hwnd w) override { return Exists(w) ? Get(w).processId : 0; }
  std::string GetClassNameA(Hwnd w) override { return Exists(w) ? Get(w).className : std::string(); }
  Hwnd FindWindowA(const std::string& className) override;
  Hwnd FindWindowExA(Hwnd parent, Hwnd after, const std::string& className) override;
  bool IsCloaked(Hwnd w) override { return Exists(w) && Get(w).cloaked; }
  bool ShowWindow(Hwnd w, int cmd) override;
  bool ShowWindowAsync(Hwnd w, int cmd) override;
  bool IsHungAppWindow(Hwnd w) override;
  bool AnswersWithin(Hwnd w, unsigned ms) override;
  Hwnd GetForegroundWindow() override { return foreground_; }
  bool SetForegroundWindow(Hwnd w) override;
  void RaiseWindow(Hwnd w) override {
    if (Exists(w)) BringToTop(w);
  }
  // Like Wine: activation alone leaves the Z-order as it was.
  bool activationRaises = true;
  Hwnd GetLastActivePopup(Hwnd w) override;
  std::uint32_t GetClassLongA(Hwnd w, int index) override;
  std::uint32_t GetWindowLongA(Hwnd w, int index) override;
  IconOwner CopyIcon(Hicon icon) override;
  int GetSystemMetrics(int index) override;
  bool SystemParametersInfoA(unsigned action, unsigned param, std::uint32_t* previous, unsigned winIni) override;
  int MessageBoxA(Hwnd owner, const std::string& text, const std::string& caption, unsigned flags) override;
  unsigned MapVirtualKeyA(unsigned code, unsigned mapType) override;
  std::string GetKeyNameTextA(long lParam) override;
  // Folds the ASCII and Latin-1 letters, as a Western European locale does.
  bool SameTextIgnoringCase(const std::string& a, const std::string& b) override;

  // Icons: handles that CopyIcon accepts; every copy is counted until destroyed.
  Hicon NewIcon() {
    Hicon h{nextIcon_++};
    icons_.insert(h);
    return h;
  }
  int LiveIconCopies() const { return static_cast<int>(copies_.size()); }

 private:
  bool ApplyShow(Hwnd w, int cmd);
  std::map<Hwnd, FakeWindow> windows_;
  std::vector<Hwnd> zorder_;
  std::set<Hwnd> topmost_;
  std::uint32_t next_ = 0x10010;
  Hwnd foreground_{};
  std::uint32_t nextIcon_ = 0x5000;
  std::uint32_t nextProcess_ = 0x700;
  std::set<Hicon> icons_;
  std::set<Hicon> copies_;
};

class FakeRegistry : public Registry {
 public:
  struct Value {
    std::string name;  // as first written
    std::uint32_t type = kRegNone;
    std::vector<std::uint8_t> data;
  };
  // Writes and key creation under this path (and below) are refused.
  void DenyWrites(Hkey root, const std::string& path);
  bool KeyExists(Hkey root, const std::string& path) const;
  const Value* Find(Hkey root, const std::string& path, const std::string& name) const;
  // Direct writes for test set-up (creating the key).
  void Put(Hkey root, const std::string& path, const std::string& name, std::uint32_t type,
           std::vector<std::uint8_t> data);
  void PutString(Hkey root, const std::string& path, const std::string& name, const std::string& s);
  void PutDword(Hkey root, const std::string& path, const std::string& name, std::uint32_t v);
  std::vector<std::string> ValueNames(Hkey root, const std::string& path) const;
  int OpenHandles() const { return static_cast<int>(handles_.size()); }

  std::uint32_t RegCreateKeyExA(Hkey root, const std::string& path, std::uint32_t access, KeyOwner* result) override;
  std::uint32_t RegOpenKeyExA(Hkey root, const std::string& path, std::uint32_t access, KeyOwner* result) override;
  std::uint32_t RegCreateVolatileKeyA(Hkey root, const std::string& path, std::uint32_t access,
                                      KeyOwner* result) override;
  bool IsVolatile(Hkey root, const std::string& path) const { return volatile_.count(Normal(root, path)) != 0; }
  // The user logs off and on: volatile keys are gone.
  void LogOff();
  std::uint32_t RegQueryValueExA(Hkey key, const std::string& name, std::uint32_t* type,
                                 std::vector<std::uint8_t>* data) override;
  std::uint32_t RegSetValueExA(Hkey key, const std::string& name, std::uint32_t type,
                               const std::vector<std::uint8_t>& data) override;
  std::uint32_t RegDeleteValueA(Hkey key, const std::string& name) override;

 private:
  struct Key {
    std::map<std::string, Value> values;  // by lower-case name
  };
  using KeyId = std::pair<Hkey, std::string>;  // root, lower-case normalised path
  static KeyId Normal(Hkey root, const std::string& path);
  bool Denied(const KeyId& id) const;
  Key& CreateKey(const KeyId& id);
  const KeyId* Resolve(Hkey key, const std::string& sub, KeyId* storage) const;
  KeyOwner Hand(const KeyId& id);
  std::map<KeyId, Key> keys_;
  std::map<Hkey, KeyId> handles_;
  std::vector<KeyId> denied_;
  std::set<KeyId> volatile_;
  std::uint32_t nextHandle_ = 0x100;
};

class FakeHotkeys : public Hotkeys {
 public:
  explicit FakeHotkeys(FakeWindowManager& wm) : wm_(wm) {}
  struct Registration {
    Hwnd hwnd;
    int id;
    unsigned modifiers;
    unsigned vk;
    bool granted;
  };
  // Presses a combination system-wide: the granted registration gets WM_HOTKEY.
  // Returns whether some window received it.
  bool Press(unsigned modifiers, unsigned vk);
  // Makes the combination taken by another program.
  void TakenElsewhere(unsigned modifiers, unsigned vk) { taken_.insert({modifiers, vk}); }
  // Sends WM_HOTKEY with any identifier to a window.
  void Post(Hwnd w, unsigned id);
  const std::vector<Registration>& Registrations() const { return regs_; }
  int AtomRefs(Atom a) const;
  int LiveAtoms() const { return static_cast<int>(atoms_.size()); }

  AtomOwner GlobalAddAtomA(const std::string& name) override;
  bool RegisterHotKey(Hwnd w, int id, unsigned modifiers, unsigned vk) override;
  bool UnregisterHotKey(Hwnd w, int id) override;
  WindowOwner CreateHotkeyWindow(std::function<void(unsigned id)> onHotkey) override;

 private:
  FakeWindowManager& wm_;
  struct AtomEntry {
    std::string name;
    int refs;
  };
  std::map<Atom, AtomEntry> atoms_;
  void DeleteAtom(Atom atom);
  std::uint16_t nextAtom_ = 0xC000;
  std::vector<Registration> regs_;
  std::set<std::pair<unsigned, unsigned>> taken_;
};

class FakeMutexes : public Mutexes {
 public:
  MutexResult CreateMutexA(bool initialOwner, const std::string& name) override;
  std::set<std::string> names;  // mutexes that exist in the system
  std::vector<Handle> closed;

 private:
  std::uint32_t next_ = 0x40;
};

class FakeFiles : public Files {
 public:
  std::string exePath = "C:\\Program Files\\Nimbulon\\Nimbul.exe";
  void Put(const std::string& path, const std::string& data = "");
  bool Has(const std::string& path) const;
  // Contents, or empty when the file does not exist.
  std::string Content(const std::string& path) const;
  // Files under this folder (a path ending in a backslash) can't be created or written.
  void LockFolder(const std::string& folder);
  std::vector<std::string> deleted;

  std::string ExecutablePath() override { return exePath; }
  bool FileExists(const std::string& path) override { return Has(path); }
  // A folder exists when it was made or holds a file.
  bool IsDirectory(const std::string& path) override;
  bool CreateDirectoryA(const std::string& path) override;
  bool refuseCreateDirectory = false;
  bool DeleteFileA(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& pattern) override;
  bool ReadFile(const std::string& path, std::string* data) override;
  bool ReadFileStart(const std::string& path, std::size_t maxBytes, std::string* data) override;
  bool WriteFile(const std::string& path, const std::string& data) override;
  std::unique_ptr<FileWriter> CreateFileForWriting(const std::string& path) override;
  std::optional<LocalTime> LastWriteTime(const std::string& path) override;
  std::map<std::string, LocalTime> writeTimes;  // by lower-case path
  static std::string Lower(const std::string& s);

 private:
  friend class FakeFileWriter;
  struct Entry {
    std::string path, data;
  };
  bool Locked(const std::string& path) const;
  void Append(const std::string& path, const char* data, std::size_t size);
  // Writers run on worker threads in some tests.
  mutable std::mutex mutex_;
  std::map<std::string, Entry> files_;
  std::vector<std::string> locked_;
  std::set<std::string> dirs_;     // lower case, without a trailing backslash
  std::set<std::string> writing_;  // lower case: files open in a writer
};

class FakeVersionInfo : public VersionInfo {
 public:
  std::map<std::string, std::array<std::uint16_t, 4>> versions;  // by lower-case path
  std::optional<std::array<std::uint16_t, 4>> FileVersion(const std::string& path) override;
};

class FakeShell : public Shell {
 public:
  std::vector<ShellCall> calls;
  bool refuseExecute = false;  // the shell reports that nothing was started
  bool ShellExecuteA(Hwnd owner, const std::string& file, const std::string& parameters, const std::string& directory,
                     int showCmd) override {
    calls.push_back({owner, file, parameters, directory, showCmd});
    return !refuseExecute;
  }
};

class FakeLocale : public Locale {
 public:
  std::string dateSeparator = "/";
  std::string timeSeparator = ":";
  std::string DateSeparator() override { return dateSeparator; }
  std::string TimeSeparator() override { return timeSeparator; }
};

// Resources are bytes a test stores by name; they decode with the real decoder.
class FakePictures : public Pictures {
 public:
  std::map<std::string, std::string> resources;
  int loads = 0;
  Picture LoadJpegResource(const std::string& resourceName) override;
  int LiveBitmaps() const { return static_cast<int>(live_.size()); }

 private:
  std::set<std::uint32_t> live_;
  std::uint32_t next_ = 0xB000;
};

// The user's side of the colour dialog is a function a test sets.
class FakeColorDialogs : public ColorDialogs {
 public:
  struct Opening {
    Hwnd owner;
    std::uint32_t preset;
  };
  std::vector<Opening> openings;
  // Picks a colour (writes it, returns true) or cancels; cancels when unset.
  std::function<bool(std::uint32_t* rgb, CustomColors* custom)> user;
  std::map<int, std::uint32_t> systemColors{{5, 0x00FFFFFF}, {8, 0x00000000}, {15, 0x00C0C0C0}};

  bool ChooseColorA(Hwnd owner, std::uint32_t* rgb, CustomColors* custom) override {
    openings.push_back({owner, *rgb});
    return user && user(rgb, custom);
  }
  std::uint32_t GetSysColor(int index) override { return systemColors[index]; }
};

class FakeTimers : public Timers {
 public:
  // Moves the clock on, firing every timer that falls due, in time order.
  void Advance(std::uint64_t ms);
  int Running() const { return static_cast<int>(timers_.size()); }

  std::uint32_t StartTimer(unsigned intervalMs, std::function<void()> tick) override;
  void KillTimer(std::uint32_t id) override;
  std::uint64_t Now() override { return now_; }

 private:
  struct Entry {
    unsigned interval;
    std::uint64_t due;
    std::function<void()> tick;
  };
  std::map<std::uint32_t, Entry> timers_;
  std::uint32_t next_ = 1;
  std::uint64_t now_ = 0;
};

// A scripted web: each host and path answers as set up; anything else is
// unreachable (no length header, nothing to read).
struct FakeHttpResponse {
  bool reachable = true;
  std::optional<std::string> contentLength;  // the length header's text; none when empty
  std::string body;
  // The connection drops after this many bytes of the body: the next read fails.
  std::size_t dropAfter = static_cast<std::size_t>(-1);
  // The server goes quiet once this many bytes of the body are read: the
  // next read waits until the transfer is aborted.
  std::size_t stallAt = static_cast<std::size_t>(-1);
};

class FakeHttp : public Http {
 public:
  void Serve(const std::string& host, const std::string& path, FakeHttpResponse response);
  // The body with a length header that matches it.
  void ServeFile(const std::string& host, const std::string& path, const std::string& body);
  // Every request opened so far.
  std::vector<HttpRequest> Requests() const;
  // Runs on the reading thread before each read of a body.
  std::function<void()> beforeRead;

  std::unique_ptr<HttpTransfer> Open(const HttpRequest& request) override;

 private:
  mutable std::mutex mutex_;
  std::map<std::pair<std::string, std::string>, FakeHttpResponse> responses_;
  std::vector<HttpRequest> requests_;
};

// ANSI to OEM: ASCII passes, other bytes only as the table maps them. The
// ANSI page is single-byte (Latin-1 letters) unless a test names lead bytes.
class FakeCodePages : public CodePages {
 public:
  std::map<unsigned char, unsigned char> oemOf{{0xE4, 0x84}, {0xF6, 0x94}, {0xFC, 0x81}, {0xDF, 0xE1}};
  std::set<unsigned char> leadBytes;
  // A double-byte page like the Japanese one: lead bytes 0x81-0x9F and 0xE0-0xFC.
  void UseDoubleByteCodePage();
  bool ToOemCodePage(const std::string& ansi, std::string* oem) override;
  bool IsLeadByte(char byte) override { return leadBytes.count(static_cast<unsigned char>(byte)) != 0; }
  std::string ToLower(const std::string& ansi) override;
};

// Icons are numbers with a record of where they came from; every icon made
// here is counted until it is destroyed.
class FakeIcons : public Icons {
 public:
  struct Made {
    std::string origin;  // "res:NAME", "file:PATH", "image:<bytes>", "copy:<origin>"
    IconPixels pixels;
  };
  // Resources that do not exist, files the shell has no icon for, images the system refuses.
  std::set<std::string> missingResources, noIconFor;
  bool refuseImages = false;
  int LiveIcons() const { return static_cast<int>(live_.size()); }
  int BadDestroys() const { return badDestroys_; }
  const Made* Find(Hicon h) const;
  std::string Origin(Hicon h) const {
    const Made* m = Find(h);
    return m ? m->origin : std::string();
  }

  IconOwner FromIconImage(const std::string& image, int width, int height) override;
  IconOwner FromResource(const std::string& name) override;
  IconOwner FileSmallIcon(const std::string& path) override;
  IconOwner Copy(Hicon icon) override;
  bool Pixels(Hicon icon, IconPixels* out) override;

 private:
  IconOwner Make(std::string origin, int width, int height);
  void Destroy(Hicon icon);
  std::map<Hicon, Made> live_;
  std::uint32_t next_ = 0x9000;
  int badDestroys_ = 0;
};

struct NotifyCall {
  unsigned message;
  NotifyIconRecord record;
};

// The notification area: the calls it gets, the icons it shows, and the
// callback windows, to which tests send the shell's messages.
class FakeNotifyArea : public NotifyArea {
 public:
  explicit FakeNotifyArea(FakeWindowManager& wm) : wm_(wm) {}
  std::vector<NotifyCall> calls;
  bool refuseAdd = false;    // the taskbar is not up: NIM_ADD fails
  bool addTimesOut = false;  // NIM_ADD reports a failure, yet the icon appears
  // The icons in the area now, by window and identifier.
  std::map<std::pair<Hwnd, std::uint32_t>, NotifyIconRecord> shown;
  static constexpr unsigned kTaskbarCreated = 0xC0F1;

  // Sends a message to a callback window; returns whether it was handled.
  bool Send(Hwnd w, unsigned message, std::uint32_t wParam, std::uint32_t lParam, std::int32_t* result = nullptr);
  // The taskbar starts again: every icon is gone and every window hears of it.
  void RestartTaskbar();
  std::vector<Hwnd> Windows() const;

  std::unique_ptr<CallbackWindow> CreateCallbackWindow(Handler handler) override;
  bool Shell_NotifyIconA(unsigned message, const NotifyIconRecord& record) override;
  unsigned TaskbarCreatedMessage() override { return kTaskbarCreated; }

 private:
  friend class FakeCallbackWindow;
  FakeWindowManager& wm_;
  std::map<Hwnd, Handler> windows_;
};

// The open and save dialogs answer as the test says; by default the user cancels.
class FakeFileDialogs : public FileDialogs {
 public:
  std::function<bool(const FileDialogOptions&, std::string*)> answerOpen, answerSave;
  std::vector<FileDialogOptions> opened, saved;
  std::vector<Hwnd> owners;
  bool GetOpenFileNameA(Hwnd owner, const FileDialogOptions& options, std::string* path) override;
  bool GetSaveFileNameA(Hwnd owner, const FileDialogOptions& options, std::string* path) override;
};

// The whole fake system in one object.
class FakeDesktop {
 public:
  FakeDesktop();
  FakeWindowManager wm;
  FakeRegistry registry;
  FakeHotkeys hotkeys{wm};
  FakeMutexes mutexes;
  FakeFiles files;
  FakeVersionInfo version;
  FakeShell shell;
  FakeTimers timers;
  std::shared_ptr<FakeDispatcher> dispatcherOwner = std::make_shared<FakeDispatcher>();
  FakeDispatcher& dispatcher = *dispatcherOwner;
  FakeHttp http;
  FakeCodePages codePages;
  FakeLocale locale;
  FakePictures pictures;
  FakeColorDialogs colorDialogs;
  FakeIcons icons;
  FakeNotifyArea notifyArea{wm};
  FakeFileDialogs fileDialogs;
  // One service a line: services are added often.
  Platform platform{wm,   registry,  hotkeys, mutexes,  files,        version, shell,      timers,     dispatcher,
                    http, codePages, locale,  pictures, colorDialogs, icons,   notifyArea, fileDialogs};
};

}  // namespace nimbul::platform::fake
