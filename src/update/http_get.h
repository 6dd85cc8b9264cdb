// THTTPGet: fetches one URL over plain HTTP into a file on a worker thread
// and reports progress and the outcome on the user-interface thread.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace nimbul::update {

// How long connecting may take, and how long the transfer waits for the next
// data, before it ends as failed: a server that goes quiet must not hold the
// update window for ever.
inline constexpr std::uint32_t kConnectTimeoutMs = 30000;
inline constexpr std::uint32_t kReceiveTimeoutMs = 30000;

// Host name and request path of a URL, split the way the fetcher always has:
// "http://" is recognised in any case (and only then are the first seven
// characters dropped), no port is parsed, and without any "/" the host name
// is empty and the path is the whole remainder.
struct UrlParts {
  std::string host;
  std::string path;
};
UrlParts SplitURL(const std::string& url);

class THTTPGet {
 public:
  // `pumpMessages` handles the user-interface thread's pending messages; it
  // is needed only for WaitThread.
  THTTPGet(platform::Platform& sys, std::function<void()> pumpMessages = nullptr);
  ~THTTPGet();
  THTTPGet(const THTTPGet&) = delete;
  THTTPGet& operator=(const THTTPGet&) = delete;

  std::string AcceptTypes = "*/*";
  std::string Agent = "Tessaly HTTPGet";
  bool BinaryData = false;
  std::string URL;
  bool UseCache = false;
  std::string FileName;
  std::string UserName;
  std::string Password;
  std::string PostQuery;
  std::string Referer;
  bool WaitThread = false;
  // Largest body the transfer accepts, in bytes; a larger one (by its length
  // header or by what arrives) ends the transfer as failed. 0: no limit.
  std::uint32_t MaxSize = 0;

  std::function<void(THTTPGet& sender, std::int32_t TotalSize, std::int32_t Readed)> OnProgress;
  std::function<void(THTTPGet& sender, const std::string& FileName, std::int32_t FileSize)> OnDoneFile;
  std::function<void(THTTPGet& sender)> OnError;

  // Starts a transfer into FileName, which is deleted first. Ignored while
  // one runs, unless that one was cancelled and has not ended yet: it is let
  // go without an event.
  void Download();
  // Ends the running transfer at once, also while it waits for the server;
  // it reports OnError and leaves no file.
  void Cancel();
  bool Busy() const { return running_ != nullptr; }
  bool Succeeded() const { return succeeded_; }

  // What a worker shares with the component; defined in the source.
  struct Worker;

 private:
  void WorkerDone(Worker& worker);
  platform::Platform& sys_;
  std::function<void()> pumpMessages_;
  std::shared_ptr<Worker> running_;
  bool succeeded_ = false;
};

}  // namespace nimbul::update
