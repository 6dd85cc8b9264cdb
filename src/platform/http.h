// Plain HTTP transfers: one request, its length header and its body.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace nimbul::platform {

struct HttpRequest {
  std::string agent;  // user-agent text; empty: none
  std::string host;
  std::uint16_t port = 80;
  std::string userName, password;
  std::string verb = "GET";
  std::string path;
  std::string version = "HTTP/1.0";
  std::string referer;
  std::string acceptTypes = "*/*";  // the one entry of the accept list
  bool reload = true;               // served by the origin server, never from a cache
  std::string headers;              // extra header text, CR LF separated
  std::string body;
  // How long connecting, and each wait for data, may take; 0: the system's own limits.
  std::uint32_t connectTimeoutMs = 0;
  std::uint32_t receiveTimeoutMs = 0;
  bool followRedirects = true;  // false: a redirect is the answer itself
};

// One request: owns the session, connection and request and closes them in
// the order request, connection, session.
class HttpTransfer {
 public:
  virtual ~HttpTransfer() = default;
  // Sends the request and waits for the answer's head. A failure is not
  // reported here: it shows up as a failed length query and a read that
  // yields nothing.
  virtual void Send() = 0;
  // Ends the transfer from any thread: a Send or Read under way on another
  // thread returns at once, and every later call fails.
  virtual void Abort() = 0;
  // The response's length header as text, as the server sent it; false when
  // there is none or the request never reached a server.
  virtual bool QueryContentLength(std::string* text) = 0;
  // Reads the next bytes of the body, at most `size`; false when the read
  // failed. `*read` is 0 at the end of the body.
  virtual bool Read(char* buffer, std::uint32_t size, std::uint32_t* read) = 0;
};

class Http {
 public:
  virtual ~Http() = default;
  // Opens a session, a connection and the request, ready to be sent; nothing
  // goes over the network yet. Failures on the way are not reported here:
  // they show up as a failed length query and a read that yields nothing.
  // May be called on any thread.
  virtual std::unique_ptr<HttpTransfer> Open(const HttpRequest& request) = 0;
};

}  // namespace nimbul::platform
