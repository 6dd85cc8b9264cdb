#include "platform/win32/win32_http.h"

#include <windows.h>
#include <wininet.h>

#include <mutex>

#include "platform/win32/handle.h"
#include "platform/win32/late_bound.h"

namespace nimbul::platform::win32 {

namespace {

// The length header is read into a buffer of this size.
constexpr DWORD kLengthBuffer = 1024;

// The internet functions, loaded with their library on the first request.
struct Internet {
  decltype(::InternetOpenA)* open = LateBound<decltype(::InternetOpenA)>("wininet.dll", "InternetOpenA");
  decltype(::InternetConnectA)* connect = LateBound<decltype(::InternetConnectA)>("wininet.dll", "InternetConnectA");
  decltype(::HttpOpenRequestA)* openRequest =
      LateBound<decltype(::HttpOpenRequestA)>("wininet.dll", "HttpOpenRequestA");
  decltype(::HttpSendRequestA)* sendRequest =
      LateBound<decltype(::HttpSendRequestA)>("wininet.dll", "HttpSendRequestA");
  decltype(::HttpQueryInfoA)* queryInfo = LateBound<decltype(::HttpQueryInfoA)>("wininet.dll", "HttpQueryInfoA");
  decltype(::InternetReadFile)* readFile = LateBound<decltype(::InternetReadFile)>("wininet.dll", "InternetReadFile");
  decltype(::InternetSetOptionA)* setOption =
      LateBound<decltype(::InternetSetOptionA)>("wininet.dll", "InternetSetOptionA");
  bool Complete() const { return open && connect && openRequest && sendRequest && queryInfo && readFile && setOption; }
};

const Internet& Functions() {
  static const Internet internet;
  return internet;
}

const char* OrNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

// The limits apply to the handle and to every handle opened from it.
void SetTimeouts(HINTERNET handle, const HttpRequest& r) {
  DWORD connect = r.connectTimeoutMs, receive = r.receiveTimeoutMs;
  if (connect) Functions().setOption(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
  if (receive) {
    Functions().setOption(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof receive);
    Functions().setOption(handle, INTERNET_OPTION_SEND_TIMEOUT, &receive, sizeof receive);
  }
}

class Win32HttpTransfer : public HttpTransfer {
 public:
  Win32HttpTransfer(const HttpRequest& r, InternetHandle root, InternetHandle connection, InternetHandle request)
      : headers_(r.headers),
        body_(r.body),
        root_(std::move(root)),
        connection_(std::move(connection)),
        request_(std::move(request)) {}
  ~Win32HttpTransfer() override {
    Abort();
    connection_.reset();
    root_.reset();
  }

  void Send() override {
    HINTERNET request = Request();
    if (!request) return;
    // The result is not looked at: a request that failed has no length
    // header and no body, and that is how the caller learns of it.
    Functions().sendRequest(request, OrNull(headers_), static_cast<DWORD>(headers_.size()),
                            body_.empty() ? nullptr : const_cast<char*>(body_.data()),
                            static_cast<DWORD>(body_.size()));
  }

  // Closing the request handle is what makes a call blocked on it in
  // another thread return; the handle is closed once, here.
  void Abort() override {
    std::lock_guard<std::mutex> lock(mutex_);
    request_.reset();
  }

  bool QueryContentLength(std::string* text) override {
    HINTERNET request = Request();
    if (!request) return false;
    char buffer[kLengthBuffer] = {};
    DWORD length = kLengthBuffer;
    DWORD index = 0;
    if (!Functions().queryInfo(request, HTTP_QUERY_CONTENT_LENGTH, buffer, &length, &index)) return false;
    text->assign(buffer, length < kLengthBuffer ? length : kLengthBuffer);
    return true;
  }

  bool Read(char* buffer, std::uint32_t size, std::uint32_t* read) override {
    *read = 0;
    HINTERNET request = Request();
    if (!request) return false;
    DWORD got = 0;
    if (!Functions().readFile(request, buffer, size, &got)) return false;
    *read = got;
    return true;
  }

 private:
  HINTERNET Request() {
    std::lock_guard<std::mutex> lock(mutex_);
    return request_.get();
  }

  std::string headers_, body_;
  std::mutex mutex_;  // guards request_ against Abort from another thread
  InternetHandle root_, connection_, request_;
};

}  // namespace

std::unique_ptr<HttpTransfer> Win32Http::Open(const HttpRequest& r) {
  const Internet& net = Functions();
  // Without the library the request fails as one that reaches no server.
  InternetHandle root(net.Complete() ? net.open(OrNull(r.agent), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)
                                     : nullptr);
  if (root) SetTimeouts(root.get(), r);
  InternetHandle connection;
  if (root)
    connection.reset(net.connect(root.get(), r.host.c_str(), r.port, r.userName.c_str(), r.password.c_str(),
                                 INTERNET_SERVICE_HTTP, 0, 0));
  InternetHandle request;
  if (connection) {
    const char* accept[] = {r.acceptTypes.c_str(), nullptr};
    DWORD flags = (r.reload ? INTERNET_FLAG_RELOAD : 0) | (r.followRedirects ? 0 : INTERNET_FLAG_NO_AUTO_REDIRECT);
    request.reset(net.openRequest(connection.get(), r.verb.c_str(), r.path.c_str(), r.version.c_str(),
                                  OrNull(r.referer), accept, flags, 0));
  }
  if (request) SetTimeouts(request.get(), r);
  return std::make_unique<Win32HttpTransfer>(r, std::move(root), std::move(connection), std::move(request));
}

}  // namespace nimbul::platform::win32
