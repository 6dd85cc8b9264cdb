// The HTTP fetcher against scripted responses: URL splitting, the outcome of
// each kind of answer, busy and cancelled transfers, and the progress reports.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/fake/fake_desktop.h"
#include "update/http_get.h"
#include "update_fixture.h"

namespace nimbul::update {
namespace {

using nimbul::testing::Gate;
using platform::fake::FakeHttpResponse;

TEST(SplitURL, SplitsAsTheFetcherAlwaysHas) {
  struct Case {
    const char* url;
    const char* host;
    const char* path;
  };
  const Case cases[] = {
      {"HTTP://Host/dir/file.txt", "Host", "/dir/file.txt"},
      {"http://example.org/a/b?c=d", "example.org", "/a/b?c=d"},
      {"host/file", "host", "/file"},
      {"https://host/file", "https:", "//host/file"},
      {"http://host:8080/file", "host:8080", "/file"},
      {"host:8080/file", "host:8080", "/file"},
      {"http://hostonly", "", "hostonly"},
      {"nohost", "", "nohost"},
      {"", "", ""},
      {"xhttp://a/b", "", "/a/b"},
  };
  for (const Case& c : cases) {
    UrlParts p = SplitURL(c.url);
    EXPECT_EQ(p.host, c.host) << c.url;
    EXPECT_EQ(p.path, c.path) << c.url;
  }
}

TEST(SplitURL, RandomBytesNeverBreakIt) {
  std::mt19937 random(14);
  for (int i = 0; i < 20000; ++i) {
    std::string url(random() % 40, '\0');
    for (char& c : url) c = static_cast<char>(random() % 4 == 0 ? "/hHtTp:"[random() % 7] : random() % 256);
    if (random() % 3 == 0) url.insert(random() % (url.size() + 1), "http://");
    UrlParts p = SplitURL(url);
    EXPECT_EQ(p.host.find('/'), std::string::npos) << "a host never holds a slash";
    EXPECT_LE(p.host.size() + p.path.size(), url.size());
  }
}

class HttpGetTest : public ::testing::Test {
 protected:
  platform::fake::FakeDesktop desk;
  THTTPGet get{desk.platform};
  std::vector<std::string> events;
  std::vector<std::pair<int, int>> progress;
  const std::string kFile = "C:\\Program Files\\Nimbulon\\versnfo~.tmp";

  void SetUp() override {
    get.URL = "http://updates.test/info.txt";
    get.FileName = kFile;
    get.OnProgress = [this](THTTPGet&, std::int32_t total, std::int32_t readed) {
      progress.emplace_back(total, readed);
    };
    get.OnDoneFile = [this](THTTPGet& sender, const std::string& name, std::int32_t size) {
      EXPECT_EQ(&sender, &get);
      events.push_back("done " + name + " " + std::to_string(size));
    };
    get.OnError = [this](THTTPGet&) { events.push_back("error"); };
  }

  void RunToEnd() {
    get.Download();
    ASSERT_TRUE(desk.dispatcher.PumpUntil([&] { return !get.Busy(); }, 10000));
  }
  std::string Done(std::size_t size) { return "done " + kFile + " " + std::to_string(size); }
};

TEST_F(HttpGetTest, OnlyAWholeAnswerEndsAsSuccessAndAFailureLeavesNoFile) {
  struct Case {
    const char* situation;
    bool reachable;
    const char* length;  // null: no length header
    std::string body;
    std::size_t dropAfter;
    bool folderLocked;
    bool fileExpected;
    std::string fileAfter;
    std::string event;  // "done N" or "error"
  };
  const std::size_t all = static_cast<std::size_t>(-1);
  const std::string body(3000, 'x');
  const Case cases[] = {
      {"length matches", true, "3000", body, all, false, true, body, "done 3000"},
      {"host unreachable", false, nullptr, "", all, false, true, "", "done 0"},
      {"no length, empty body", true, nullptr, "", all, false, true, "", "done 0"},
      {"no length, a body", true, nullptr, body, all, false, false, "", "error"},
      {"connection dropped", true, "3000", body, 1200, false, false, "", "error"},
      {"length larger than the body", true, "4000", body, all, false, false, "", "error"},
      {"length smaller than the body", true, "2000", body, all, false, false, "", "error"},
      {"folder not writable", true, "3000", body, all, true, false, "", "error"},
      {"length is no number", true, "12ab", body, all, false, false, "", "error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    platform::fake::FakeDesktop d;
    THTTPGet g(d.platform);
    g.URL = "http://updates.test/info.txt";
    g.FileName = kFile;
    std::string event;
    g.OnDoneFile = [&](THTTPGet&, const std::string&, std::int32_t size) { event = "done " + std::to_string(size); };
    g.OnError = [&](THTTPGet&) { event = "error"; };
    FakeHttpResponse r;
    r.reachable = c.reachable;
    if (c.length) r.contentLength = c.length;
    r.body = c.body;
    r.dropAfter = c.dropAfter;
    if (c.reachable) d.http.Serve("updates.test", "/info.txt", r);
    if (c.folderLocked) d.files.LockFolder("C:\\Program Files\\Nimbulon\\");
    d.files.Put(kFile, "what an earlier check left");
    g.Download();
    ASSERT_TRUE(d.dispatcher.PumpUntil([&] { return !g.Busy(); }, 10000));
    EXPECT_EQ(event, c.event);
    EXPECT_EQ(d.files.Has(kFile), c.fileExpected);
    EXPECT_EQ(d.files.Content(kFile), c.fileAfter);
    EXPECT_EQ(g.Succeeded(), c.event != "error");
  }
}

TEST_F(HttpGetTest, SendsAnHttp10RequestToPort80WithTheComponentsTexts) {
  desk.http.ServeFile("updates.test", "/info.txt", "1.8.0.0\r\n");
  RunToEnd();
  get.PostQuery = "a=1&b=2";
  get.UseCache = true;
  get.Referer = "http://ref/";
  RunToEnd();
  auto requests = desk.http.Requests();
  ASSERT_EQ(requests.size(), 2u);
  const platform::HttpRequest& r = requests[0];
  EXPECT_EQ(r.verb, "GET");
  EXPECT_EQ(r.host, "updates.test");
  EXPECT_EQ(r.path, "/info.txt");
  EXPECT_EQ(r.port, 80);
  EXPECT_EQ(r.version, "HTTP/1.0");
  EXPECT_EQ(r.agent, "Tessaly HTTPGet");
  EXPECT_EQ(r.acceptTypes, "*/*");
  EXPECT_TRUE(r.reload) << "served by the origin, not a cache";
  EXPECT_TRUE(r.headers.empty());
  const platform::HttpRequest& post = requests[1];
  EXPECT_EQ(post.verb, "POST");
  EXPECT_EQ(post.headers, "Content-Type: application/x-www-form-urlencoded");
  EXPECT_EQ(post.headers.size(), 47u);
  EXPECT_EQ(post.body, "a=1&b=2");
  EXPECT_FALSE(post.reload);
  EXPECT_EQ(post.referer, "http://ref/");
}

TEST_F(HttpGetTest, ReportsEveryChunkOf1025BytesWithTheLengthHeader) {
  desk.http.ServeFile("updates.test", "/info.txt", std::string(2500, 'y'));
  RunToEnd();
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{2500, 1025}, {2500, 2050}, {2500, 2500}}));
  EXPECT_EQ(events, std::vector<std::string>{Done(2500)});
}

TEST_F(HttpGetTest, BinaryDataFailsAnAnswerWithoutLengthBeforeWritingAnything) {
  FakeHttpResponse r;
  r.body = "abc";
  desk.http.Serve("updates.test", "/info.txt", r);
  get.BinaryData = true;
  RunToEnd();
  EXPECT_EQ(events, std::vector<std::string>{"error"});
  EXPECT_FALSE(desk.files.Has(kFile));
}

TEST_F(HttpGetTest, ABodyOverTheLimitFails) {
  get.MaxSize = 2000;
  desk.http.ServeFile("updates.test", "/info.txt", std::string(3000, 'z'));
  RunToEnd();
  EXPECT_EQ(events, std::vector<std::string>{"error"});
  EXPECT_FALSE(desk.files.Has(kFile)) << "a length over the limit is refused before the file is made";

  events.clear();
  FakeHttpResponse noLength;
  noLength.body = std::string(5000, 'z');
  desk.http.Serve("updates.test", "/info.txt", noLength);
  RunToEnd();
  EXPECT_EQ(events, std::vector<std::string>{"error"});
  EXPECT_LE(desk.files.Content(kFile).size(), 2000u + 1025u);
}

TEST_F(HttpGetTest, DownloadWhileBusyIsIgnoredAndLaterPropertiesWaitForTheNextStart) {
  desk.http.ServeFile("updates.test", "/info.txt", "first");
  desk.http.ServeFile("updates.test", "/other.txt", "second");
  Gate gate;
  desk.http.beforeRead = [&] { gate.Wait(); };
  get.Download();
  gate.WaitUntilHeld();
  get.URL = "http://updates.test/other.txt";
  get.Download();
  gate.Open();
  ASSERT_TRUE(desk.dispatcher.PumpUntil([&] { return !get.Busy(); }));
  EXPECT_EQ(desk.http.Requests().size(), 1u);
  EXPECT_EQ(desk.files.Content(kFile), "first");
  RunToEnd();
  EXPECT_EQ(desk.files.Content(kFile), "second");
}

TEST_F(HttpGetTest, CancelEndsWithErrorAndNoReportAfterIt) {
  desk.http.ServeFile("updates.test", "/info.txt", std::string(5000, 'c'));
  get.Cancel();  // idle: nothing happens
  EXPECT_FALSE(get.Busy());
  get.Download();
  // The worker's first report waits for the pump; cancelling now must keep
  // it from ever being delivered.
  ASSERT_TRUE(desk.dispatcher.WaitForWork(5000));
  get.Cancel();
  ASSERT_TRUE(desk.dispatcher.PumpUntil([&] { return !get.Busy(); }));
  EXPECT_TRUE(progress.empty());
  EXPECT_EQ(events, std::vector<std::string>{"error"});
}

TEST_F(HttpGetTest, CancelEndsAStalledTransferAtOnceAndTheNextStartsRightAway) {
  FakeHttpResponse stalled;
  stalled.body = std::string(3000, 's');
  stalled.contentLength = "3000";
  stalled.stallAt = 1025;
  desk.http.Serve("updates.test", "/info.txt", stalled);
  desk.http.ServeFile("updates.test", "/other.txt", "fresh");
  get.Download();
  ASSERT_TRUE(desk.dispatcher.PumpUntil([&] { return !progress.empty(); }, 5000));
  get.Cancel();
  ASSERT_TRUE(desk.dispatcher.PumpUntil([&] { return !get.Busy(); }, 2000)) << "the waiting read was ended";
  EXPECT_EQ(events, std::vector<std::string>{"error"});
  EXPECT_FALSE(desk.files.Has(kFile)) << "a cancelled transfer leaves no file";

  get.URL = "http://updates.test/other.txt";
  RunToEnd();
  EXPECT_EQ(events.back(), Done(5));
  EXPECT_EQ(desk.files.Content(kFile), "fresh");
}

TEST_F(HttpGetTest, AComponentThatIsGoneGetsNoEvent) {
  desk.http.ServeFile("updates.test", "/info.txt", "abc");
  int reports = 0;
  {
    THTTPGet doomed(desk.platform);
    doomed.URL = get.URL;
    doomed.FileName = kFile;
    doomed.OnProgress = [&](THTTPGet&, std::int32_t, std::int32_t) { ++reports; };
    doomed.OnDoneFile = [&](THTTPGet&, const std::string&, std::int32_t) { ++reports; };
    doomed.OnError = [&](THTTPGet&) { ++reports; };
    doomed.Download();
    ASSERT_TRUE(desk.dispatcher.WaitForWork(5000));
  }
  // The worker finishes on its own; its last hand-over finds nobody.
  desk.dispatcher.PumpUntil([&] { return false; }, 300);
  EXPECT_EQ(reports, 0);
}

TEST_F(HttpGetTest, WaitThreadReturnsOnlyAfterTheTransfer) {
  THTTPGet waiting(desk.platform, [&] { desk.dispatcher.Pump(); });
  desk.http.ServeFile("updates.test", "/info.txt", "abc");
  waiting.URL = get.URL;
  waiting.FileName = kFile;
  std::string event;
  waiting.OnDoneFile = [&](THTTPGet&, const std::string&, std::int32_t size) { event = std::to_string(size); };
  waiting.WaitThread = true;
  waiting.Download();
  EXPECT_FALSE(waiting.Busy());
  EXPECT_EQ(event, "3");
}

}  // namespace
}  // namespace nimbul::update
