// An update server to test against: programs that look like Windows
// programs, version descriptions signed with a test key, and the update
// window on the fake desktop.
#pragma once
#include <gtest/gtest.h>
#include <sodium.h>

#include <condition_variable>
#include <mutex>
#include <string>

#include "platform/fake/fake_desktop.h"
#include "ui/fake/fake_backend.h"
#include "update/integrity.h"
#include "update/update_dialog.h"
#include "update/version_description.h"

namespace nimbul::testing {

// Bytes with the headers of a 32-bit Windows program, then `tag`.
inline std::string FakeProgram(const std::string& tag) {
  std::string b(0x40 + 4 + 20 + 0xE0, '\0');
  b[0] = 'M';
  b[1] = 'Z';
  b[0x3C] = 0x40;
  b.replace(0x40, 4, std::string("PE\0\0", 4));
  const std::size_t file = 0x44;
  b[file] = 0x4C;  // i386
  b[file + 1] = 0x01;
  b[file + 16] = static_cast<char>(0xE0);  // size of the optional header
  b[file + 18] = 0x02;                     // executable image
  b[file + 20] = 0x0B;                     // PE32
  b[file + 21] = 0x01;
  return b + tag;
}

// A 32-bit program whose one section holds a version resource of `version`
// (type, name and language directories, then VS_VERSIONINFO), with `code`
// in the bytes before the section.
inline std::string ProgramWithVersion(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d,
                                      const std::string& code = "") {
  std::string p = FakeProgram("");
  auto put16 = [&p](std::size_t at, std::uint32_t v) {
    if (p.size() < at + 2) p.resize(at + 2, '\0');
    p[at] = static_cast<char>(v);
    p[at + 1] = static_cast<char>(v >> 8);
  };
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
  };
  const std::size_t optional = 0x58, table = optional + 0xE0, raw = 0x400;
  const std::uint32_t rva = 0x1000;
  p.resize(raw + 0x200, '\0');
  put16(0x46, 1);                     // one section
  put32(optional + 96 + 2 * 8, rva);  // the resource directory
  put32(table + 8, 0x200);            // the section: virtual size, address, raw size, raw offset
  put32(table + 12, rva);
  put32(table + 16, 0x200);
  put32(table + 20, raw);
  p.replace(table + 40, code.size(), code);
  // Each directory: 12 bytes, the counts of named and numbered entries, then
  // one entry (id, offset; the high bit marks a directory below).
  const std::uint32_t ids[] = {16, 1, 0x409};
  for (std::uint32_t level = 0; level < 3; ++level) {
    std::size_t dir = raw + 0x18 * level;
    put16(dir + 14, 1);
    put32(dir + 16, ids[level]);
    put32(dir + 20, level < 2 ? (0x18 * (level + 1)) | 0x80000000u : 0x48);
  }
  put32(raw + 0x48, rva + 0x58);  // the data: address and size
  put32(raw + 0x4C, 40 + 52);
  const std::size_t info = raw + 0x58;
  put16(info, 40 + 52);
  put16(info + 2, 52);
  const std::string key = "VS_VERSION_INFO";
  for (std::size_t i = 0; i < key.size(); ++i) put16(info + 6 + 2 * i, static_cast<unsigned char>(key[i]));
  put32(info + 40, 0xFEEF04BD);
  put32(info + 48, std::uint32_t{a} << 16 | b);
  put32(info + 52, std::uint32_t{c} << 16 | d);
  return p;
}

// A key pair made from a fixed seed, as hex.
struct TestKeys {
  std::string publicHex, secretHex;
  explicit TestKeys(unsigned char seedByte = 7) {
    if (sodium_init() < 0) return;
    unsigned char seed[crypto_sign_SEEDBYTES];
    for (unsigned char& s : seed) s = seedByte;
    unsigned char pk[crypto_sign_PUBLICKEYBYTES], sk[crypto_sign_SECRETKEYBYTES];
    crypto_sign_seed_keypair(pk, sk, seed);
    publicHex = Hex(pk, sizeof pk);
    secretHex = Hex(sk, sizeof sk);
  }
  static std::string Hex(const unsigned char* p, std::size_t n) {
    std::string h(n * 2 + 1, '\0');
    sodium_bin2hex(&h[0], h.size(), p, n);
    h.pop_back();
    return h;
  }
};

// The four lines of a signed description, CR LF ended.
inline std::string SignedDescription(const std::string& version, const std::string& url, const std::string& program,
                                     const TestKeys& keys) {
  std::string hash = update::Sha256Hex(program);
  std::string signedPart = update::SignedPart(version, url, hash);
  return signedPart + update::SignHex(signedPart, keys.secretHex) + "\r\n";
}

// Holds the worker before each read until the test lets it go.
class Gate {
 public:
  void Wait() {
    std::unique_lock<std::mutex> lock(m_);
    ++waiting_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return open_; });
  }
  void WaitUntilHeld() {
    std::unique_lock<std::mutex> lock(m_);
    changed_.wait(lock, [&] { return waiting_ > 0; });
  }
  void Open() {
    std::lock_guard<std::mutex> lock(m_);
    open_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex m_;
  std::condition_variable changed_;
  int waiting_ = 0;
  bool open_ = false;
};
class UpdateDialogTest : public ::testing::Test {
 protected:
  static constexpr const char* kHost = "updates.test";
  static constexpr const char* kProgramUrl = "http://files.test/nimbul/Nimbul.exe";
  platform::fake::FakeDesktop desk;
  ui::fake::FakeBackend backend{desk};
  ui::Application app{desk.platform, backend};
  ui::Form* mainForm = nullptr;
  update::TfrmUpdate* dialog = nullptr;

  struct Host : ui::DialogHost, update::UpdateHost {
    ui::Form* form = nullptr;
    int homePageOpened = 0;
    ui::Form& HostForm() override { return *form; }
    void OpenHomePage() override { ++homePageOpened; }
  } host;
  TestKeys keys;

  void SetUp() override {
    backend.SetApplication(&app);
    app.Initialize();
    app.SetTitle("Nimbul");
    mainForm = &app.CreateForm<ui::Form>(std::string("frmNimbulMain"));
    host.form = mainForm;
    dialog = &app.CreateForm<update::TfrmUpdate>();
    dialog->SetHost(&host, &host);
    dialog->UpdateServer = kHost;
    dialog->UpdatePublicKey = "";
    mainForm->Show();
  }

  std::string Folder() { return "C:\\Program Files\\Nimbulon\\"; }
  void ServeDescription(const std::string& text) { desk.http.ServeFile(kHost, update::kVersionDescriptionPath, text); }
  void ServeProgram(const std::string& bytes) { desk.http.ServeFile("files.test", "/nimbul/Nimbul.exe", bytes); }
  // A build that carries the test key, offered `program` as `version`.
  void OfferSigned(const std::string& version, const std::string& program, const std::string& url = kProgramUrl) {
    dialog->UpdatePublicKey = keys.publicHex;
    ServeDescription(SignedDescription(version, url, program, keys));
    ServeProgram(program);
  }
  void Open() { update::OpenUpdateDialog(*dialog, *mainForm); }
  // Clicks the button and lets the download run to its end.
  void Click() {
    dialog->Button1.Click();
    ASSERT_TRUE(desk.dispatcher.PumpUntil([&] { return !dialog->HTTPGet1.Busy(); }, 10000));
  }
  std::vector<std::string> Boxes() {
    std::vector<std::string> out;
    for (auto& b : desk.wm.boxes) out.push_back(b.text);
    return out;
  }
};

}  // namespace nimbul::testing
