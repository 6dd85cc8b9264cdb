#include "platform/win32/win32_http.h"

#include <windows.h>
#include <wininet.h>

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
  decltype(::HttpOpenRequestA)* openRequest = LateBound<decltype(::HttpOpenRequestA)>("wininet.dll", "HttpOpenRequestA");
  decltype(::HttpSendRequestA)* sendRequest = LateBound<decltype(::HttpSendRequestA)>("wininet.dll", "HttpSendRequestA");
  decltype(::HttpQueryInfoA)* queryInfo = LateBound<decltype(::HttpQueryInfoA)>("wininet.dll", "HttpQueryInfoA");
  decltype(::InternetReadFile)* readFile = LateBound<decltype(::InternetReadFile)>("wininet.dll", "InternetReadFile");
  bool Complete() const { return open && connect && openRequest && sendRequest && queryInfo && readFile; }
};

const Internet& Functions() {
  static const Internet internet;
  return internet;
}

const char* OrNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

class Win32HttpTransfer : public HttpTransfer {
 public:
  Win32HttpTransfer(InternetHandle root, InternetHandle connection, InternetHandle request)
      : root_(std::move(root)), connection_(std::move(connection)), request_(std::move(request)) {}
  ~Win32HttpTransfer() override {
    request_.reset();
    connection_.reset();
    root_.reset();
  }

  bool QueryContentLength(std::string* text) override {
    if (!request_) return false;
    char buffer[kLengthBuffer] = {};
    DWORD length = kLengthBuffer;
    DWORD index = 0;
    if (!Functions().queryInfo(request_.get(), HTTP_QUERY_CONTENT_LENGTH, buffer, &length, &index)) return false;
    text->assign(buffer, length < kLengthBuffer ? length : kLengthBuffer);
    return true;
  }

  bool Read(char* buffer, std::uint32_t size, std::uint32_t* read) override {
    *read = 0;
    if (!request_) return false;
    DWORD got = 0;
    if (!Functions().readFile(request_.get(), buffer, size, &got)) return false;
    *read = got;
    return true;
  }

 private:
  InternetHandle root_, connection_, request_;
};

}  // namespace

std::unique_ptr<HttpTransfer> Win32Http::Open(const HttpRequest& r) {
  const Internet& net = Functions();
  // Without the library the request fails as one that reaches no server.
  InternetHandle root(net.Complete() ? net.open(OrNull(r.agent), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)
                                     : nullptr);
  InternetHandle connection;
  if (root)
    connection.reset(net.connect(root.get(), r.host.c_str(), r.port, r.userName.c_str(),
                                        r.password.c_str(), INTERNET_SERVICE_HTTP, 0, 0));
  InternetHandle request;
  if (connection) {
    const char* accept[] = {r.acceptTypes.c_str(), nullptr};
    request.reset(net.openRequest(connection.get(), r.verb.c_str(), r.path.c_str(), r.version.c_str(),
                                     OrNull(r.referer), accept, r.reload ? INTERNET_FLAG_RELOAD : 0, 0));
  }
  if (request) {
    // The send's result is not looked at: a request that failed has no
    // length header and no body, and that is how the caller learns of it.
    net.sendRequest(request.get(), OrNull(r.headers), static_cast<DWORD>(r.headers.size()),
                       r.body.empty() ? nullptr : const_cast<char*>(r.body.data()),
                       static_cast<DWORD>(r.body.size()));
  }
  return std::make_unique<Win32HttpTransfer>(std::move(root), std::move(connection), std::move(request));
}

}  // namespace nimbul::platform::win32
