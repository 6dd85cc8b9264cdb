#include "update/http_get.h"

#include <cctype>
#include <limits>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "base/decimal.h"

namespace nimbul::update {

namespace {

// Each chunk costs one report on the user-interface thread.
constexpr std::uint32_t kChunkSize = 1025;
constexpr char kFormHeaders[] = "Content-Type: application/x-www-form-urlencoded";
// How many progress reports the worker may be ahead of the user-interface thread.
constexpr std::uint32_t kReportsAhead = 64;

std::string Lower(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The length header's text as a 32-bit signed decimal number.
bool ParseLength(const std::string& text, std::int32_t* value) {
  const auto v = base::ParseDecimal(text, base::Sign::Allowed);
  if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
    return false;
  *value = static_cast<std::int32_t>(*v);
  return true;
}

}  // namespace

UrlParts SplitURL(const std::string& url) {
  std::string rest = url;
  // Whatever the first seven characters are, they go when "http://" is
  // anywhere in the URL: the fetcher has always split it that way.
  if (Lower(rest).find("http://") != std::string::npos) rest.erase(0, 7);
  // i is 1-based: the host is the first i characters, the path starts at the
  // i-th, so it keeps its "/". Without a "/" the host is empty.
  std::size_t slash = rest.find('/');
  std::size_t i = slash == std::string::npos ? 0 : slash + 1;
  UrlParts parts;
  parts.host = rest.substr(0, i);
  parts.path = i == 0 ? rest : rest.substr(i - 1);
  if (!parts.host.empty() && parts.host.back() == '/') parts.host.pop_back();
  return parts;
}

// One transfer. The component and the user-interface thread reach it only
// through the fields marked so; everything else is the worker's own copy.
struct THTTPGet::Worker : std::enable_shared_from_this<THTTPGet::Worker> {
  std::string acceptTypes, agent, url, fileName, userName, password, postQuery, referer;
  bool binaryData = false, useCache = false;
  std::uint32_t maxSize = 0;
  std::function<void(THTTPGet&, std::int32_t, std::int32_t)> onProgress;
  platform::Http* http = nullptr;
  platform::Files* files = nullptr;
  std::shared_ptr<platform::Dispatcher> dispatcher;

  std::int32_t fileSize = 0;
  std::uint32_t lastChunk = 0;
  std::int64_t bytesTotal = 0;
  // Reports not yet handed to the user-interface thread.
  std::mutex reportsMutex;
  std::vector<std::pair<std::int32_t, std::int32_t>> pendingReports;
  bool batchQueued = false;
  // Shared with the user-interface thread.
  std::atomic<bool> succeeded{false};
  std::atomic<bool> terminate{false};
  // Let go by its component for a newer transfer, which owns the file name now.
  std::atomic<bool> detached{false};
  THTTPGet* owner = nullptr;  // user-interface thread only; null once the component is gone
  // The transfer under way and its file, for Abort from the user-interface
  // thread.
  std::mutex transferMutex;
  platform::HttpTransfer* transfer = nullptr;
  std::unique_ptr<platform::FileWriter> file;

  void Body();
  void Transfer(platform::HttpTransfer& transfer);
  // Ends the transfer under way at once, also a read that waits for data,
  // and deletes what it wrote. The file goes here, not when the body ends:
  // WinINet under Wine lets a read that waits for more data go on until the
  // receive timeout although its handle is closed, and until then the file
  // would stand in the way of the next download to the same name.
  void Abort() {
    terminate = true;
    succeeded = false;
    std::lock_guard<std::mutex> lock(transferMutex);
    if (transfer) transfer->Abort();
    if (file) {
      file.reset();
      files->DeleteFileA(fileName);
    }
  }
  // A check point: true when the body must end now.
  bool Terminated() {
    if (!terminate) return false;
    succeeded = false;
    return true;
  }
  void Report();
  void DeliverReports();  // user-interface thread
};

// Every report reaches the user-interface thread, in order, each with its
// own counts. They travel in batches: a hand-over costs two thread switches,
// and paying them for each 1025-byte chunk would make those, not the
// network, set the pace of a download. The worker waits for the
// user-interface thread only when kReportsAhead reports are still unhandled.
void THTTPGet::Worker::Report() {
  if (!onProgress) return;
  bool post = false;
  std::size_t unhandled = 0;
  {
    std::lock_guard<std::mutex> lock(reportsMutex);
    pendingReports.emplace_back(fileSize, static_cast<std::int32_t>(bytesTotal));
    post = !batchQueued;
    batchQueued = true;
    unhandled = pendingReports.size();
  }
  bool handedOver = true;
  if (post) handedOver = dispatcher->Post([self = shared_from_this()] { self->DeliverReports(); });
  // An empty hand-over returns once everything queued before it has run.
  if (handedOver && unhandled >= kReportsAhead) handedOver = dispatcher->Send([] {});
  if (!handedOver) terminate = true;  // the user-interface thread has stopped
}

void THTTPGet::Worker::DeliverReports() {
  std::vector<std::pair<std::int32_t, std::int32_t>> batch;
  {
    std::lock_guard<std::mutex> lock(reportsMutex);
    batch.swap(pendingReports);
    batchQueued = false;
  }
  for (auto [total, readed] : batch) {
    // Reports queued before a Cancel or the component's end are not
    // delivered after it.
    if (terminate || !owner) return;
    try {
      onProgress(*owner, total, readed);
    } catch (...) {
      // The handler's own error handling has had its say; the transfer goes on.
    }
  }
}

void THTTPGet::Worker::Body() {
  UrlParts parts = SplitURL(url);
  if (Terminated()) return;
  platform::HttpRequest request;
  request.agent = agent;
  request.host = parts.host;
  request.port = 80;
  request.userName = userName;
  request.password = password;
  request.verb = postQuery.empty() ? "GET" : "POST";
  request.path = parts.path;
  request.version = "HTTP/1.0";
  request.referer = referer;
  request.acceptTypes = acceptTypes;
  request.reload = !useCache;
  request.connectTimeoutMs = kConnectTimeoutMs;
  request.receiveTimeoutMs = kReceiveTimeoutMs;
  // An answer that points elsewhere is not the file that was asked for.
  request.followRedirects = false;
  if (!postQuery.empty()) {
    request.headers = kFormHeaders;
    request.body = postQuery;
  }
  std::unique_ptr<platform::HttpTransfer> opened = http->Open(request);
  {
    std::lock_guard<std::mutex> lock(transferMutex);
    transfer = opened.get();
  }
  // A Cancel from here on aborts the transfer itself; one that came before
  // is met at the first check point.
  if (!Terminated()) Transfer(*opened);
  std::lock_guard<std::mutex> lock(transferMutex);
  transfer = nullptr;
}

// Sends the request and stores the body. The results of opening and sending
// are not looked at: a request that failed has no length header and no body.
// Whatever ends in failure leaves no file behind, so that no part of an
// answer is ever taken for the whole.
void THTTPGet::Worker::Transfer(platform::HttpTransfer& t) {
  t.Send();
  if (Terminated()) return;
  std::string lengthText;
  bool haveLength = t.QueryContentLength(&lengthText);
  succeeded = haveLength;
  if (Terminated()) return;
  if (!haveLength && binaryData) return;
  // A length that is no number (or less than nothing) says nothing about
  // what is to come.
  if (haveLength && (!ParseLength(lengthText, &fileSize) || fileSize < 0)) {
    succeeded = false;
    return;
  }
  if (maxSize != 0 && haveLength && static_cast<std::uint32_t>(fileSize) > maxSize) {
    succeeded = false;
    return;
  }
  bytesTotal = 0;
  {
    std::lock_guard<std::mutex> lock(transferMutex);
    if (terminate) return;
    file = files->CreateFileForWriting(fileName);
    if (!file) {
      succeeded = false;
      return;
    }
  }
  bool complete = false;
  char chunk[kChunkSize];
  while (!Terminated()) {
    std::uint32_t got = 0;
    if (!t.Read(chunk, kChunkSize, &got) || got == 0) {
      complete = !terminate;
      break;
    }
    lastChunk = got;
    {
      // Bytes that could not be stored are lost: the file is not what the
      // server sent, whatever the count says. A cancel has taken the file.
      std::lock_guard<std::mutex> lock(transferMutex);
      if (!file || !file->Write(chunk, got)) break;
    }
    bytesTotal += got;
    if (maxSize != 0 && bytesTotal > maxSize) break;
    Report();
  }
  succeeded = complete && bytesTotal == fileSize;
  std::lock_guard<std::mutex> lock(transferMutex);
  if (!file) return;  // a cancel deleted it
  file.reset();
  if (!succeeded && !detached) files->DeleteFileA(fileName);
}

THTTPGet::THTTPGet(platform::Platform& sys, std::function<void()> pumpMessages)
    : sys_(sys), pumpMessages_(std::move(pumpMessages)) {}

THTTPGet::~THTTPGet() {
  Cancel();
  // No event reaches a component that is gone; the worker finishes on its own.
  if (running_) running_->owner = nullptr;
}

void THTTPGet::Download() {
  if (running_) {
    if (!running_->terminate) return;
    // A cancelled transfer that has not ended yet is let go: it ends on its
    // own without an event, and the new one starts now.
    running_->detached = true;
    running_->owner = nullptr;
    running_ = nullptr;
  }
  // Only what this transfer writes may be found in the file afterwards.
  sys_.files.DeleteFileA(FileName);
  auto w = std::make_shared<Worker>();
  w->acceptTypes = AcceptTypes;
  w->agent = Agent;
  w->url = URL;
  w->fileName = FileName;
  w->userName = UserName;
  w->password = Password;
  w->postQuery = PostQuery;
  w->referer = Referer;
  w->binaryData = BinaryData;
  w->useCache = UseCache;
  w->maxSize = MaxSize;
  w->onProgress = OnProgress;
  w->http = &sys_.http;
  w->files = &sys_.files;
  w->dispatcher = sys_.dispatcher.Share();
  w->owner = this;
  running_ = w;
  try {
    std::thread([w] {
      w->Body();
      // The completion runs on the user-interface thread while the worker
      // still exists; the worker goes when the last reference does.
      w->dispatcher->Send([w] {
        if (w->owner) w->owner->WorkerDone(*w);
      });
    }).detach();
  } catch (...) {
    running_ = nullptr;
    throw;
  }
  if (WaitThread) {
    while (running_) {
      if (pumpMessages_) pumpMessages_();
      std::this_thread::yield();
    }
  }
}

void THTTPGet::Cancel() {
  if (running_) running_->Abort();
}

void THTTPGet::WorkerDone(Worker& worker) {
  // Clears the running worker at the end, also when a handler fails.
  struct Idle {
    THTTPGet& self;
    ~Idle() { self.running_ = nullptr; }
  } idle{*this};
  succeeded_ = worker.succeeded && !worker.terminate;
  if (succeeded_) {
    if (OnDoneFile) OnDoneFile(*this, worker.fileName, worker.fileSize);
  } else {
    if (OnError) OnError(*this);
  }
}

}  // namespace nimbul::update
