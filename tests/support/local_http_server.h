// A small HTTP server on 127.0.0.1 for the tests and benchmarks of the
// update: it answers each connection from a handler, on a thread of its own,
// and stops with the object. Nothing leaves the machine.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace nimbul::testing {

struct HttpAnswer {
  int status = 200;
  bool withLength = true;
  std::string body{};
  std::size_t dropAfter = static_cast<std::size_t>(-1);  // close after this many body bytes
  unsigned pauseMs = 0;                                  // before the body is sent
  std::size_t pauseAfter = 0;                            // body bytes sent before the pause
};

class LocalHttpServer {
 public:
  using Handler = std::function<HttpAnswer(const std::string& path)>;

  explicit LocalHttpServer(Handler handler, unsigned short port = 80) : handler_(std::move(handler)) {
    WSADATA wsa;
    ::WSAStartup(MAKEWORD(2, 2), &wsa);
    listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    BOOL reuse = TRUE;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    listening_ =
        ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 && ::listen(listener_, 16) == 0;
    if (listening_) thread_ = std::thread([this] { Serve(); });
  }
  ~LocalHttpServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    ::closesocket(listener_);
    ::WSACleanup();
  }
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  bool Listening() const { return listening_; }
  // The head of every request received, in order.
  std::vector<std::string> Requests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

 private:
  void Serve() {
    while (!stop_) {
      fd_set set;
      FD_ZERO(&set);
      FD_SET(listener_, &set);
      timeval wait{0, 50 * 1000};
      if (::select(0, &set, nullptr, nullptr, &wait) <= 0) continue;
      SOCKET s = ::accept(listener_, nullptr, nullptr);
      if (s == INVALID_SOCKET) continue;
      BOOL noDelay = TRUE;
      ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
      Answer(s);
      ::closesocket(s);
    }
  }

  void Answer(SOCKET s) {
    std::string head;
    char buffer[2048];
    DWORD start = ::GetTickCount();
    while (head.find("\r\n\r\n") == std::string::npos && ::GetTickCount() - start < 5000) {
      int n = ::recv(s, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      head.append(buffer, static_cast<std::size_t>(n));
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(head);
    }
    std::size_t pathStart = head.find(' ') + 1;
    std::string path = head.substr(pathStart, head.find(' ', pathStart) - pathStart);
    HttpAnswer a = handler_(path);
    std::string out = "HTTP/1.0 " + std::to_string(a.status) + " OK\r\nContent-Type: application/octet-stream\r\n";
    if (a.withLength) out += "Content-Length: " + std::to_string(a.body.size()) + "\r\n";
    out += "Connection: close\r\n\r\n";
    SendAll(s, out.data(), out.size());
    std::size_t bodySize = a.body.size() < a.dropAfter ? a.body.size() : a.dropAfter;
    std::size_t before = a.pauseAfter < bodySize ? a.pauseAfter : bodySize;
    SendAll(s, a.body.data(), before);
    if (a.pauseMs) ::Sleep(a.pauseMs);
    SendAll(s, a.body.data() + before, bodySize - before);
    ::shutdown(s, SD_SEND);
  }

  static void SendAll(SOCKET s, const char* data, std::size_t size) {
    while (size > 0) {
      int n = ::send(s, data, static_cast<int>(size < 65536 ? size : 65536), 0);
      if (n <= 0) return;
      data += n;
      size -= static_cast<std::size_t>(n);
    }
  }

  Handler handler_;
  SOCKET listener_ = INVALID_SOCKET;
  bool listening_ = false;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::mutex mutex_;
  std::vector<std::string> requests_;
};

}  // namespace nimbul::testing
