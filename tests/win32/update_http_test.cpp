// The fetcher on WinINet against a server on 127.0.0.1:80: what goes over
// the wire, and how each kind of answer ends, with the reports handed to
// this thread's message loop.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "local_http_server.h"
#include "platform/win32/win32_platform.h"
#include "platform_support.h"
#include "update/http_get.h"

namespace nimbul::update {
namespace {

using nimbul::testing::HttpAnswer;
using nimbul::testing::LocalHttpServer;
using platform::win32::testing::PumpUntil;
using platform::win32::testing::ScratchFolder;

std::string Body(std::size_t size) {
  std::string b(size, '\0');
  for (std::size_t i = 0; i < size; ++i) b[i] = static_cast<char>(i * 7 + i / 251);
  return b;
}

class UpdateHttpTest : public ::testing::Test {
 protected:
  platform::win32::Win32Platform sys;
  ScratchFolder dir;
  std::string file = dir.path() + "newver.axe";
  std::vector<std::string> events;
  int reports = 0;

  void Fetch(THTTPGet& get, const std::string& path) {
    get.URL = "http://127.0.0.1" + path;
    get.FileName = file;
    get.OnProgress = [this](THTTPGet&, std::int32_t, std::int32_t) { ++reports; };
    get.OnDoneFile = [this](THTTPGet&, const std::string&, std::int32_t size) {
      events.push_back("done " + std::to_string(size));
    };
    get.OnError = [this](THTTPGet&) { events.push_back("error"); };
    get.Download();
    ASSERT_TRUE(PumpUntil([&] { return !get.Busy(); }, 20000)) << "the transfer never ended";
  }
  std::string FileContent() {
    std::string data;
    sys.files.ReadFile(file, &data);
    return data;
  }
};

TEST_F(UpdateHttpTest, SendsAnHttp10GetWithAgentAndAcceptAndStoresTheBody) {
  const std::string body = Body(300 * 1024 + 5);
  LocalHttpServer server([&](const std::string&) { return HttpAnswer{200, true, body}; });
  ASSERT_TRUE(server.Listening()) << "port 80 on 127.0.0.1";
  THTTPGet get(sys.platform);
  Fetch(get, "/dir/file.bin");
  EXPECT_EQ(events, std::vector<std::string>{"done " + std::to_string(body.size())});
  EXPECT_TRUE(FileContent() == body);
  EXPECT_GE(reports, static_cast<int>(body.size() / 1025));
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].rfind("GET /dir/file.bin HTTP/1.0\r\n", 0), 0u) << requests[0];
  EXPECT_NE(requests[0].find("User-Agent: Tessaly HTTPGet\r\n"), std::string::npos) << requests[0];
  EXPECT_NE(requests[0].find("Accept: */*\r\n"), std::string::npos) << requests[0];
}

TEST_F(UpdateHttpTest, AnswersWithoutLengthOrCutShortEndInError) {
  const std::string body = Body(50000);
  struct Case {
    const char* situation;
    HttpAnswer answer;
    std::string event;
  };
  const Case cases[] = {
      {"no length header", HttpAnswer{200, false, body}, "error"},
      {"connection dropped", HttpAnswer{200, true, body, 20000}, "error"},
      {"no length, empty body", HttpAnswer{200, false, ""}, "done 0"},
      {"an error page with its length", HttpAnswer{404, true, "not here"}, "done 8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    events.clear();
    LocalHttpServer server([&](const std::string&) { return c.answer; });
    ASSERT_TRUE(server.Listening());
    THTTPGet get(sys.platform);
    Fetch(get, "/file");
    EXPECT_EQ(events, std::vector<std::string>{c.event});
  }
}

TEST_F(UpdateHttpTest, NoServerGivesAnEmptyFileReportedAsDone) {
  THTTPGet get(sys.platform);
  Fetch(get, "/nobody/listens");
  EXPECT_EQ(events, std::vector<std::string>{"done 0"});
  EXPECT_TRUE(sys.files.FileExists(file));
  EXPECT_EQ(FileContent(), "");
}

TEST_F(UpdateHttpTest, CancelFromAReportEndsTheTransferWithoutAnotherReport) {
  const std::string body = Body(2 * 1024 * 1024);
  LocalHttpServer server([&](const std::string&) { return HttpAnswer{200, true, body}; });
  ASSERT_TRUE(server.Listening());
  THTTPGet get(sys.platform);
  get.URL = "http://127.0.0.1/big";
  get.FileName = file;
  int afterCancel = 0;
  bool cancelled = false;
  get.OnProgress = [&](THTTPGet& g, std::int32_t, std::int32_t) {
    if (cancelled) ++afterCancel;
    cancelled = true;
    g.Cancel();
  };
  get.OnDoneFile = [&](THTTPGet&, const std::string&, std::int32_t) { events.push_back("done"); };
  get.OnError = [&](THTTPGet&) { events.push_back("error"); };
  get.Download();
  ASSERT_TRUE(PumpUntil([&] { return !get.Busy(); }, 20000));
  EXPECT_EQ(afterCancel, 0);
  EXPECT_EQ(events, std::vector<std::string>{"error"});
  EXPECT_LT(FileContent().size(), body.size());
}

// A server that goes quiet mid-body holds a read no longer than the receive
// timeout, and the read fails: what arrived is never taken for the whole.
// Aborting (closing the request handle from another thread) ends the read
// at once on Windows; Wine's WinINet lets a read that waits for more data go
// on until the timeout, so the abort row allows for that.
TEST_F(UpdateHttpTest, AReadBlockedOnAStalledServerEndsByTheTimeoutOrTheAbort) {
  HttpAnswer stall{200, true, Body(100000)};
  stall.pauseAfter = 20000;
  stall.pauseMs = 40000;
  struct Case {
    const char* situation;
    std::uint32_t receiveTimeoutMs;
    DWORD abortAfterMs;  // 0: no abort
    DWORD endsWithin;
  };
  const Case cases[] = {{"receive timeout of 1.5 s", 1500, 0, 2500}, {"abort after 0.5 s", 3000, 500, 4000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    LocalHttpServer server([&](const std::string&) { return stall; });
    ASSERT_TRUE(server.Listening());
    platform::HttpRequest request;
    request.host = "127.0.0.1";
    request.path = "/stall";
    request.receiveTimeoutMs = c.receiveTimeoutMs;
    std::unique_ptr<platform::HttpTransfer> transfer = sys.platform.http.Open(request);
    std::atomic<bool> ok{true};
    std::atomic<std::uint32_t> total{0};
    std::atomic<DWORD> ended{0};
    const DWORD start = ::GetTickCount();
    std::thread worker([&] {
      transfer->Send();
      char chunk[1025];
      std::uint32_t got = 0;
      while ((ok = transfer->Read(chunk, sizeof chunk, &got)) && got > 0) total += got;
      ended = ::GetTickCount();
    });
    if (c.abortAfterMs) {
      ::Sleep(c.abortAfterMs);
      transfer->Abort();
    }
    worker.join();
    EXPECT_FALSE(ok) << "the stall ended as a failed read";
    EXPECT_LT(total, 100000u);
    EXPECT_LT(ended - start, c.endsWithin) << "the read waited for the server";
    // The server notices the closed connection on its own thread, a moment later.
    transfer.reset();
    for (int i = 0; i < 100 && server.ClientLeftPauseAt() == 0; ++i) ::Sleep(20);
    ASSERT_NE(server.ClientLeftPauseAt(), 0u) << "the connection stayed open";
    EXPECT_LT(server.ClientLeftPauseAt() - start, c.endsWithin) << "the connection stayed open too long";
  }
}

// Closing the update window during a stall and trying again at once: the
// cancelled transfer gives up its file straight away, so the new one to the
// same file goes through although the old read may still wait.
TEST_F(UpdateHttpTest, ADownloadRightAfterCancellingAStalledOneGoesThrough) {
  const std::string body = Body(60000);
  LocalHttpServer server([&](const std::string& path) {
    HttpAnswer a{200, true, body};
    if (path == "/stall") {
      a.pauseAfter = 20000;
      a.pauseMs = 40000;
    }
    return a;
  });
  ASSERT_TRUE(server.Listening());
  THTTPGet get(sys.platform);
  get.URL = "http://127.0.0.1/stall";
  get.FileName = file;
  std::int32_t received = 0;
  get.OnProgress = [&](THTTPGet&, std::int32_t, std::int32_t readed) { received = readed; };
  get.OnDoneFile = [&](THTTPGet&, const std::string&, std::int32_t size) {
    events.push_back("done " + std::to_string(size));
  };
  get.OnError = [&](THTTPGet&) { events.push_back("error"); };
  get.Download();
  ASSERT_TRUE(PumpUntil([&] { return received >= 15000; }, 10000));
  ::Sleep(200);  // the read now waits for the stalled server
  get.Cancel();
  EXPECT_FALSE(sys.files.FileExists(file)) << "a cancelled download leaves no file";
  const DWORD start = ::GetTickCount();
  get.URL = "http://127.0.0.1/good";
  get.Download();
  ASSERT_TRUE(PumpUntil([&] { return !get.Busy(); }, 20000));
  EXPECT_LT(::GetTickCount() - start, 3000u);
  EXPECT_EQ(events, std::vector<std::string>{"done " + std::to_string(body.size())});
  EXPECT_TRUE(FileContent() == body);
}

TEST_F(UpdateHttpTest, AClosingUserInterfaceThreadLetsAWaitingWorkerGo) {
  const std::string body = Body(200 * 1024);
  LocalHttpServer server([&](const std::string&) { return HttpAnswer{200, true, body}; });
  ASSERT_TRUE(server.Listening());
  std::shared_ptr<platform::Dispatcher> dispatcher;
  {
    platform::win32::Win32Platform closing;
    dispatcher = closing.dispatcher.Share();
    THTTPGet get(closing.platform);
    get.URL = "http://127.0.0.1/file";
    get.FileName = file;
    get.OnProgress = [](THTTPGet&, std::int32_t, std::int32_t) {};
    get.Download();
    // No message is handled: the worker's first report waits, then the
    // component and the platform go as at the end of the program.
    ::Sleep(300);
  }
  // The worker was let go: it ends on its own, its last hand-over refused.
  DWORD start = ::GetTickCount();
  while (dispatcher.use_count() > 1 && ::GetTickCount() - start < 10000) ::Sleep(20);
  EXPECT_EQ(dispatcher.use_count(), 1) << "the worker still holds the dispatcher: it is stuck";
}

}  // namespace
}  // namespace nimbul::update
