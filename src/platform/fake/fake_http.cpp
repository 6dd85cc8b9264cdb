#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>

#include "platform/fake/fake_desktop.h"

namespace nimbul::platform::fake {

namespace {

class FakeHttpTransfer : public HttpTransfer {
 public:
  FakeHttpTransfer(std::optional<FakeHttpResponse> response, std::function<void()> beforeRead)
      : response_(std::move(response)), beforeRead_(std::move(beforeRead)) {}

  void Send() override {}

  void Abort() override {
    std::lock_guard<std::mutex> lock(mutex_);
    aborted_ = true;
    wake_.notify_all();
  }

  bool QueryContentLength(std::string* text) override {
    if (Aborted() || !response_ || !response_->reachable || !response_->contentLength) return false;
    *text = *response_->contentLength;
    return true;
  }

  bool Read(char* buffer, std::uint32_t size, std::uint32_t* read) override {
    *read = 0;
    if (beforeRead_) beforeRead_();
    if (!response_ || !response_->reachable) return false;
    if (offset_ == response_->stallAt) {
      // A server that goes quiet: only an abort (or the test's patience) ends the wait.
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait_for(lock, std::chrono::seconds(20), [this] { return aborted_; });
    }
    if (Aborted()) return false;
    const std::string& body = response_->body;
    std::size_t end = std::min(body.size(), response_->dropAfter);
    if (offset_ >= end) return end == body.size();
    std::size_t n = std::min<std::size_t>(size, end - offset_);
    std::memcpy(buffer, body.data() + offset_, n);
    offset_ += n;
    *read = static_cast<std::uint32_t>(n);
    return true;
  }

 private:
  std::optional<FakeHttpResponse> response_;
  bool Aborted() {
    std::lock_guard<std::mutex> lock(mutex_);
    return aborted_;
  }

  std::function<void()> beforeRead_;
  std::size_t offset_ = 0;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool aborted_ = false;
};

}  // namespace

void FakeHttp::Serve(const std::string& host, const std::string& path, FakeHttpResponse response) {
  std::lock_guard<std::mutex> lock(mutex_);
  responses_[{FakeFiles::Lower(host), path}] = std::move(response);
}

void FakeHttp::ServeFile(const std::string& host, const std::string& path, const std::string& body) {
  FakeHttpResponse r;
  r.contentLength = std::to_string(body.size());
  r.body = body;
  Serve(host, path, std::move(r));
}

std::vector<HttpRequest> FakeHttp::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::unique_ptr<HttpTransfer> FakeHttp::Open(const HttpRequest& request) {
  std::lock_guard<std::mutex> lock(mutex_);
  requests_.push_back(request);
  std::optional<FakeHttpResponse> response;
  auto it = responses_.find({FakeFiles::Lower(request.host), request.path});
  if (it != responses_.end() && request.port == 80) response = it->second;
  return std::make_unique<FakeHttpTransfer>(std::move(response), beforeRead);
}

bool FakeCodePages::ToOemCodePage(const std::string& ansi, std::string* oem) {
  std::string out;
  for (char c : ansi) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
      continue;
    }
    auto it = oemOf.find(b);
    if (it == oemOf.end()) return false;
    out += static_cast<char>(it->second);
  }
  *oem = std::move(out);
  return true;
}

void FakeCodePages::UseDoubleByteCodePage() {
  for (unsigned b = 0x81; b <= 0xFC; ++b)
    if (b <= 0x9F || b >= 0xE0) leadBytes.insert(static_cast<unsigned char>(b));
}

std::string FakeCodePages::ToLower(const std::string& ansi) {
  std::string out = ansi;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (IsLeadByte(out[i])) {
      ++i;  // the second byte belongs to the character
      continue;
    }
    const auto b = static_cast<unsigned char>(out[i]);
    if (leadBytes.empty() ? (b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7) : (b >= 'A' && b <= 'Z'))
      out[i] = static_cast<char>(b + 0x20);
  }
  return out;
}

}  // namespace nimbul::platform::fake
