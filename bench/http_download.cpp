// Downloading 4 MiB from 127.0.0.1 through the update window's THTTPGet,
// every 1025-byte chunk reported to the window on this thread, against a
// bare WinINet loop that reads the same file in chunks of the same size.
#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <string>

#include "bench.h"
#include "local_http_server.h"
#include "program_host.h"
#include "update/update_dialog.h"

using namespace nimbul;

namespace {

constexpr std::size_t kSize = 4u * 1024 * 1024;

void PumpUntilIdle(update::THTTPGet& get) {
  while (get.Busy()) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (get.Busy()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// The bare loop: the same request, read on this thread, no hand-over.
std::size_t BareDownload(const std::string& path, const std::string& file) {
  std::size_t total = 0;
  HINTERNET root = InternetOpenA("Tessaly HTTPGet", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  HINTERNET connection = InternetConnectA(root, "127.0.0.1", 80, "", "", INTERNET_SERVICE_HTTP, 0, 0);
  const char* accept[] = {"*/*", nullptr};
  HINTERNET request =
      HttpOpenRequestA(connection, "GET", path.c_str(), "HTTP/1.0", nullptr, accept, INTERNET_FLAG_RELOAD, 0);
  HttpSendRequestA(request, nullptr, 0, nullptr, 0);
  HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  char chunk[1025];
  DWORD got = 0;
  while (InternetReadFile(request, chunk, sizeof chunk, &got) && got > 0) {
    DWORD put = 0;
    WriteFile(out, chunk, got, &put, nullptr);
    total += got;
  }
  CloseHandle(out);
  InternetCloseHandle(request);
  InternetCloseHandle(connection);
  InternetCloseHandle(root);
  return total;
}

}  // namespace

int main() {
  std::string body(kSize, '\0');
  for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i * 31 + i / 997);
  testing::LocalHttpServer server([&](const std::string&) { return testing::HttpAnswer{200, true, body}; });
  if (!server.Listening()) {
    std::printf("HTTP download: no server on 127.0.0.1:80, skipped\n");
    return 0;
  }
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string file = std::string(temp) + "nimbul_bench_download.bin";

  // The update window on its native peers takes every report: status text,
  // progress bar and the Kbytes label, as in a real update.
  bench::ProgramHost host;
  auto& dialog = host.app.CreateForm<update::TfrmUpdate>();
  dialog.Show();
  dialog.Label2.SetVisible(true);
  dialog.Gauge1.SetVisible(true);
  update::THTTPGet& get = dialog.HTTPGet1;
  get.URL = "http://127.0.0.1/bench/file.bin";
  get.FileName = file;
  int reports = 0;
  auto progress = get.OnProgress;
  get.OnProgress = [&](update::THTTPGet& g, std::int32_t total, std::int32_t readed) {
    ++reports;
    progress(g, total, readed);
  };
  bool ok = true;
  get.OnDoneFile = [&](update::THTTPGet&, const std::string&, std::int32_t size) {
    ok = ok && static_cast<std::size_t>(size) == kSize;
  };
  get.OnError = [&](update::THTTPGet&) { ok = false; };

  constexpr int kRounds = 7;
  std::vector<double> figure, baseline;
  for (int round = 0; round < kRounds; ++round) {
    auto start = bench::Clock::now();
    get.Download();
    PumpUntilIdle(get);
    figure.push_back(bench::MillisecondsSince(start));

    start = bench::Clock::now();
    std::size_t bare = BareDownload("/bench/file.bin", file);
    baseline.push_back(bench::MillisecondsSince(start));
    ok = ok && bare == kSize;
  }
  DeleteFileA(file.c_str());
  if (!ok) std::printf("warning: a download did not deliver all %u bytes\n", static_cast<unsigned>(kSize));
  double f = bench::Median(figure), b = bench::Median(baseline);
  bench::PrintFigure("HTTP download of 4 MiB through THTTPGet", {f, "ms"}, {b, "ms"});
  double mib = static_cast<double>(kSize) / (1024.0 * 1024.0);
  std::printf("HTTP download throughput: THTTPGet %.1f MiB/s (%d reports per download), bare WinINet %.1f MiB/s\n",
              mib / (f / 1000.0), reports / kRounds, mib / (b / 1000.0));
  return 0;
}
