// The update from outside: Nimbul.exe copied into a folder of its own (whose
// path holds a blank, "&", "%", "^" and parentheses) asks its update host, which the
// test run maps to 127.0.0.1, where this driver serves the version
// description and the new program; the batch file replaces the program and
// the new one greets the user.
#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>
#include <wincrypt.h>

#include <gtest/gtest.h>
#include <sodium.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "desktop.h"
#include "e2e_test.h"
#include "input.h"
#include "local_http_server.h"
#include "main_window_driver.h"
#include "message_boxes.h"
#include "remote_controls.h"
#include "screenshot.h"
#include "update/install_batch.h"
#include "update/integrity.h"
#include "update/version_description.h"

namespace nimbul::e2e {
namespace {

using nimbul::testing::HttpAnswer;
using nimbul::testing::LocalHttpServer;

constexpr const char* kDescriptionPath = "/quendel-soft/software/freeware/nimbul/update/en_nimbulinfo.txt";
constexpr const char* kProgramPath = "/files/Nimbul.exe";
constexpr const char* kProgramUrl = "http://127.0.0.1/files/Nimbul.exe";

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The program's bytes with the file version of its fixed file information
// set to `ms`.`ls` (two 16-bit parts each).
std::string WithFileVersion(std::string program, DWORD ms, DWORD ls) {
  const std::string signature("\xBD\x04\xEF\xFE", 4);
  std::size_t at = program.find(signature);
  if (at == std::string::npos) return std::string();
  auto put = [&](std::size_t offset, DWORD v) {
    for (int i = 0; i < 4; ++i) program[offset + i] = static_cast<char>(v >> (8 * i));
  };
  put(at + 8, ms);
  put(at + 12, ls);
  return program;
}

// Lower-case hex SHA-256, as the description carries it, from the
// system's own provider.
std::string Sha256Hex(const std::string& bytes) {
  HCRYPTPROV provider = 0;
  HCRYPTHASH hash = 0;
  std::string hex;
  if (CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
    // CALG_SHA_256, which the headers hide below Windows XP SP3's version number.
    constexpr ALG_ID kSha256 = ALG_CLASS_HASH | ALG_TYPE_ANY | 12;
    if (CryptCreateHash(provider, kSha256, 0, 0, &hash)) {
      BYTE digest[32];
      DWORD size = sizeof digest;
      if (CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), 0) &&
          CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0)) {
        for (DWORD i = 0; i < size; ++i) {
          char two[3];
          std::snprintf(two, sizeof two, "%02x", digest[i]);
          hex += two;
        }
      }
      CryptDestroyHash(hash);
    }
    CryptReleaseContext(provider, 0);
  }
  return hex;
}

class Update : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    const char* host = std::getenv("NIMBUL_UPDATE_HOST");
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    hostent* found = host ? gethostbyname(host) : nullptr;
    if (!found || found->h_addrtype != AF_INET ||
        *reinterpret_cast<u_long*>(found->h_addr_list[0]) != htonl(INADDR_LOOPBACK))
      GTEST_SKIP() << "the update host is not mapped to 127.0.0.1 for this run";
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "Tools (x86) & 50% ^\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    for (const char* name : {"Nimbul.exe", "versnfo~.tmp", "newver.axe", "install.bat", "oldver.axe", "updnote~.txt"})
      DeleteFileA((folder_ + name).c_str());
    original_ = ReadAll(NimbulExePath());
    ASSERT_FALSE(original_.empty());
    ASSERT_TRUE(CopyFileA(NimbulExePath().c_str(), Exe().c_str(), FALSE));
    newer_ = WithFileVersion(original_, 0x00010008, 0);  // 1.8.0.0
    ASSERT_FALSE(newer_.empty());
  }
  void TearDown() override {
    if (adopted_) {
      TerminateProcess(adopted_, 0);
      WaitForSingleObject(adopted_, 5000);
      CloseHandle(adopted_);
    }
    E2eTest::TearDown();
  }

  std::string Exe() const { return folder_ + "Nimbul.exe"; }
  // Signed with the build's own key, as nimbul-publish signs it.
  std::string Description(const std::string& version, const std::string& program) {
    std::string text = update::SignedPart(version, kProgramUrl, Sha256Hex(program));
    return text + update::SignHex(text, NIMBUL_TEST_UPDATE_SECRET_KEY) + "\r\n";
  }
  // The same, signed by a key the build does not trust.
  std::string DescriptionByOtherKey(const std::string& version, const std::string& program) {
    unsigned char seed[crypto_sign_SEEDBYTES], pk[crypto_sign_PUBLICKEYBYTES], sk[crypto_sign_SECRETKEYBYTES];
    for (unsigned char& b : seed) b = 9;
    crypto_sign_seed_keypair(pk, sk, seed);
    std::string hex;
    for (unsigned char b : sk) {
      char two[3];
      std::snprintf(two, sizeof two, "%02x", b);
      hex += two;
    }
    std::string text = update::SignedPart(version, kProgramUrl, Sha256Hex(program));
    return text + update::SignHex(text, hex) + "\r\n";
  }
  NimbulApp& StartCopy() { return StartNimbul({"", true, Exe()}); }

  // The update window opened, checked and told to get the update; null when
  // any step failed (the caller asserts on it).
  HWND StartDownload(NimbulApp& app) {
    HWND dialog = OpenUpdate(app);
    if (!dialog || !Click(dialog, "Check now") || !Click(dialog, "Get update")) return nullptr;
    return dialog;
  }

  // "W&eb" > "Update?" by keyboard; the update window once it is open.
  HWND OpenUpdate(NimbulApp& app) {
    HWND main = app.WaitForMainWindow();
    for (int attempt = 0; main && attempt < 3; ++attempt) {
      if (!Activate(main)) return nullptr;
      PressKey('E', kAlt);
      PressKey(VK_DOWN);
      PressKey(VK_DOWN);
      PressKey(VK_RETURN);
      HWND dialog =
          WaitForTopLevel({std::string("TfrmUpdate"), std::string("Nimbulon"), app.process().id(), true}, Millis(5000));
      if (dialog) return dialog;
      PressKey(VK_ESCAPE);
      PressKey(VK_ESCAPE);
    }
    return nullptr;
  }
  // Clicks the dialog's button that reads `caption`.
  bool Click(HWND dialog, const std::string& caption) {
    HWND button = nullptr;
    if (!WaitUntil([&] { return (button = ChildWithText(dialog, caption)) != nullptr; })) return false;
    return PostMessageA(button, BM_CLICK, 0, 0) != 0;
  }
  // The update window's status bar.
  static std::string DialogStatus(HWND dialog) {
    std::vector<HWND> bars = ChildrenOf(dialog, STATUSCLASSNAMEA);
    return bars.empty() ? std::string() : StatusBarText(bars[0]);
  }
  bool Shows(HWND dialog, const std::string& text, Millis timeout = kPatience) {
    return WaitUntil([&] { return ChildWithText(dialog, text) != nullptr; }, timeout);
  }
  // Ends the program the batch file started when the test ends.
  void Adopt(DWORD processId) { adopted_ = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId); }

  std::string folder_, original_, newer_;
  HANDLE adopted_ = nullptr;
};

TEST_F(Update, AnEqualVersionIsNoNewerAndABiggerOneIsRecommended) {
  std::string offered = "1.7.1.6";
  LocalHttpServer server([&](const std::string& path) {
    return path == kDescriptionPath ? HttpAnswer{200, true, Description(offered, newer_)} : HttpAnswer{404};
  });
  ASSERT_TRUE(server.Listening());
  NimbulApp& app = StartCopy();
  HWND main = app.WaitForMainWindow();
  HWND dialog = OpenUpdate(app);
  ASSERT_NE(dialog, nullptr) << "Web > Update? opened no update window";
  EXPECT_FALSE(IsWindowEnabled(main));
  ASSERT_TRUE(Click(dialog, "Check now"));
  EXPECT_TRUE(Shows(dialog, "There is no newer version availible!"));
  ASSERT_TRUE(Click(dialog, "Close"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));

  offered = "1.8.0.0";
  dialog = OpenUpdate(app);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(Click(dialog, "Check now"));
  EXPECT_TRUE(Shows(dialog,
                    "A new verison of Nimbulon exists. We recommend to download this update, because this update "
                    "offers a big versionjump"));
  // The button is renamed right after the text is shown.
  EXPECT_TRUE(WaitUntil([&] { return ChildWithText(dialog, "Get update") != nullptr; }));
  SaveDocsShot("update-window.bmp", dialog);
}

TEST_F(Update, GetUpdateReplacesTheProgramWhichStartsAgainAndSaysSo) {
  LocalHttpServer server([&](const std::string& path) {
    if (path == kDescriptionPath) return HttpAnswer{200, true, Description("1.8.0.0", newer_)};
    if (path == kProgramPath) return HttpAnswer{200, true, newer_};
    return HttpAnswer{404};
  });
  ASSERT_TRUE(server.Listening());
  NimbulApp& app = StartCopy();
  HWND dialog = StartDownload(app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(app.process().WaitForExit(Millis(30000)), std::optional<DWORD>(0)) << "the old program did not quit";

  HWND box = WaitForMessageBox(kApplicationTitle, 0, Millis(60000));
  ASSERT_NE(box, nullptr) << "the new program did not say that the update succeeded";
  Adopt(ProcessOf(box));
  EXPECT_EQ(MessageBoxTextOf(box), "Update erfolgreich!");
  EXPECT_TRUE(ReadAll(Exe()) == newer_) << "Nimbul.exe is not the new program";
  EXPECT_FALSE(Exists(folder_ + "versnfo~.tmp")) << "the new program deletes the leftovers at its start";
  EXPECT_FALSE(Exists(folder_ + "newver.axe"));
  EXPECT_TRUE(WaitUntil([&] { return !Exists(folder_ + "install.bat"); })) << "the batch file removes itself";
  PressMessageBoxButton(box, IDOK);
}

// Every faulty answer, to the check or to the download, ends with nothing
// installed and the program still running; one start serves the whole table.
TEST_F(Update, NoFaultyAnswerInstallsAnythingOrEndsTheProgram) {
  const std::string notAProgram = "The downloaded file is not a Windows program.";
  const std::string notTheOne = "The downloaded file is not the one the version information describes.";
  const std::string good = Description("1.8.0.0", newer_);
  HttpAnswer reset{200, true, newer_, newer_.size() / 2};
  reset.reset = true;
  HttpAnswer huge{200, false};
  huge.streamSize = 100ull * 1024 * 1024;
  auto claiming = [&](long long length) {
    HttpAnswer a{200, true, newer_};
    a.claimedLength = length;
    return a;
  };
  const long long size = static_cast<long long>(newer_.size());
  HttpAnswer redirect{302, true, "moved"};
  redirect.headers = "Location: http://localhost/elsewhere/Nimbul.exe\r\n";
  struct Case {
    const char* situation;
    bool toCheck;  // the version description is faulty, else the program file
    HttpAnswer answer;
    std::string message;  // what the message box says; empty: the status bar reads "Download failed"
  };
  const Case cases[] = {
      {"no length header", false, HttpAnswer{200, false, newer_}, ""},
      {"a length larger than the body", false, claiming(size + 999), ""},
      {"a length smaller than the body", false, claiming(size - 999), notTheOne},
      {"the connection reset mid-body", false, reset, ""},
      {"a 100 MB description", true, huge, ""},
      {"a redirect to another host", false, redirect, notAProgram},
      {"a 404 page for the description", true, HttpAnswer{404, true, "<html>Not Found</html>"},
       "The update server's answer is no version information."},
      {"a 500 page for the program", false, HttpAnswer{500, true, "<html>Internal Server Error</html>"}, notAProgram},
      {"a description signed by another key", true, HttpAnswer{200, true, DescriptionByOtherKey("1.8.0.0", newer_)},
       "The signature of the version information is wrong."},
      {"the program file swapped", false, HttpAnswer{200, true, WithFileVersion(original_, 0x00010009, 0)}, notTheOne},
  };
  const Case* row = nullptr;
  LocalHttpServer server([&](const std::string& path) {
    if (path == kDescriptionPath) return row->toCheck ? row->answer : HttpAnswer{200, true, good};
    if (path == kProgramPath) return row->toCheck ? HttpAnswer{200, true, newer_} : row->answer;
    return HttpAnswer{200, true, newer_};  // where the redirect points
  });
  ASSERT_TRUE(server.Listening());
  NimbulApp& app = StartCopy();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    row = &c;
    HWND dialog = OpenUpdate(app);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(Click(dialog, "Check now"));
    if (!c.toCheck) {
      ASSERT_TRUE(Click(dialog, "Get update"));
    }
    if (c.message.empty()) {
      EXPECT_TRUE(WaitUntil([&] { return DialogStatus(dialog) == "Download failed"; })) << DialogStatus(dialog);
    } else {
      HWND box = WaitForMessageBox(kApplicationTitle, app.process().id());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(MessageBoxTextOf(box), c.message + " Nothing was installed.");
      PressMessageBoxButton(box, IDOK);
    }
    EXPECT_TRUE(app.process().Running()) << "the program keeps running";
    EXPECT_TRUE(ReadAll(Exe()) == original_) << "Nimbul.exe is still the old program";
    EXPECT_FALSE(Exists(folder_ + "newver.axe"));
    EXPECT_FALSE(Exists(folder_ + "install.bat"));
    // What failed to arrive is not kept; a description that arrived stays until the next start.
    if (c.toCheck && c.message.empty()) {
      EXPECT_FALSE(Exists(folder_ + "versnfo~.tmp"));
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
  }
  for (const std::string& request : server.Requests()) {
    EXPECT_EQ(request.find("/elsewhere/"), std::string::npos) << "a redirect was followed";
  }
}

// A server that goes quiet mid-body: the download ends after the receive
// timeout, or at once when the window is closed, and a new check and a new
// download (the timeout row, right after) work then.
TEST_F(Update, AStalledDownloadEndsByTheTimeoutOrAtOnceWhenTheWindowCloses) {
  LocalHttpServer server([&](const std::string& path) {
    if (path == kDescriptionPath) return HttpAnswer{200, true, Description("1.8.0.0", newer_)};
    HttpAnswer stall{200, true, newer_};
    stall.pauseAfter = newer_.size() * 2 / 5;
    stall.pauseMs = 40000;
    return stall;
  });
  ASSERT_TRUE(server.Listening());
  NimbulApp& app = StartCopy();
  for (bool closeWindow : {true, false}) {
    SCOPED_TRACE(closeWindow ? "window closed" : "receive timeout");
    HWND dialog = StartDownload(app);
    ASSERT_NE(dialog, nullptr);
    // Part of the file has arrived (the reads before the pause may hold back a last piece).
    ASSERT_TRUE(WaitUntil([&] {
      for (HWND child : ChildrenOf(dialog)) {
        const std::string text = TitleOf(child);
        if (text.find(" Kbytes of ") != std::string::npos && text.rfind("0 ", 0) != 0) return true;
      }
      return false;
    }));
    if (closeWindow) {
      SaveDocsShot("update-download.bmp", dialog);
      const DWORD closed = GetTickCount();
      PostMessageA(dialog, WM_CLOSE, 0, 0);
      ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
      EXPECT_LT(GetTickCount() - closed, 1000u) << "closing the window waited for the stalled transfer";
      dialog = OpenUpdate(app);
      ASSERT_NE(dialog, nullptr);
      ASSERT_TRUE(Click(dialog, "Check now"));
      EXPECT_TRUE(Shows(dialog, "Get update")) << "a new check after the cancelled download works";
    } else {
      const DWORD stalled = GetTickCount();
      EXPECT_TRUE(WaitUntil([&] { return DialogStatus(dialog) == "Download failed"; }, Millis(45000)));
      const DWORD waited = GetTickCount() - stalled;
      EXPECT_GT(waited, 25000u);
      EXPECT_LT(waited, 38000u) << "ended by the server, not by the timeout";
    }
    EXPECT_TRUE(app.process().Running());
    EXPECT_FALSE(Exists(folder_ + "newver.axe"));
    EXPECT_FALSE(Exists(folder_ + "install.bat"));
    EXPECT_TRUE(ReadAll(Exe()) == original_);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
  }
}

// The batch file alone, after the program has ended: when the new program
// can't be put in place, the old one stays, starts again and says why.
TEST_F(Update, TheBatchFileKeepsTheOldProgramWhenTheNewOneCanNotBeMovedIn) {
  struct Case {
    const char* situation;
    bool newFile;  // newver.axe is there
    bool held;     // and held open, unshared, by a helper process
    const char* note;
  };
  const Case cases[] = {
      {"newver.axe missing", false, false, "the downloaded program file is missing."},
      {"newver.axe held open", true, true, "the downloaded program file could not be moved into place."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    Targets* holder = nullptr;
    if (c.newFile) {
      std::ofstream(folder_ + "newver.axe", std::ios::binary) << newer_;
      if (c.held) {
        TargetSpec spec{"holder"};
        spec.shown = false;
        spec.holdsFile = folder_ + "newver.axe";
        holder = &OpenTargets({spec});
      }
    }
    std::ofstream(folder_ + "install.bat", std::ios::binary) << update::InstallBatchText(Exe(), folder_);
    ASSERT_GT(reinterpret_cast<INT_PTR>(
                  ShellExecuteA(nullptr, nullptr, (folder_ + "install.bat").c_str(), nullptr, nullptr, SW_HIDE)),
              32);
    HWND box = WaitForMessageBox(kApplicationTitle, 0, Millis(60000));
    if (holder) holder->Quit();
    ASSERT_NE(box, nullptr) << "the old program did not start again";
    Adopt(ProcessOf(box));
    EXPECT_EQ(MessageBoxTextOf(box), std::string("The update could not be installed: ") + c.note);
    EXPECT_TRUE(ReadAll(Exe()) == original_) << "Nimbul.exe is still the old program";
    PressMessageBoxButton(box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !Exists(folder_ + "install.bat"); })) << "the batch file removes itself";
    EXPECT_FALSE(Exists(folder_ + "updnote~.txt")) << "the note is shown once";
    TerminateProcess(adopted_, 0);
    WaitForSingleObject(adopted_, 5000);
    CloseHandle(adopted_);
    adopted_ = nullptr;
  }
}

}  // namespace
}  // namespace nimbul::e2e
