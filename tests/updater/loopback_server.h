#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

namespace kvz::testing {

// The fault-injecting test server (loopback_http_server.py) as a child
// process, serving the files below `root` on 127.0.0.1.
class LoopbackServer {
 public:
  // Starts the server; `workFolder` receives its fault table and request log.
  LoopbackServer(const std::string& root, const std::string& workFolder);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int Port() const { return port_; }
  // "http://127.0.0.1:<port>/"
  std::string BaseUrl() const;
  // Sets the fault for one request path ("/soft/a.exe"): 404, 500, drop,
  // short, trickle or silent. Takes effect with the next request.
  void SetFault(const std::string& path, const std::string& mode);
  void ClearFaults();
  // The request paths received so far, in order.
  std::vector<std::string> Requests() const;
  void ClearRequests();

 private:
  void WriteFaults() const;

  std::string faultsFile_, logFile_;
  std::vector<std::pair<std::string, std::string>> faults_;
  pid_t pid_ = -1;
  int port_ = 0;
};

// A loopback port on which nothing listens (bound once, then released).
int UnusedLoopbackPort();

}  // namespace kvz::testing
