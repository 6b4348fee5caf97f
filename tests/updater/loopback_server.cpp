#include "tests/updater/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#ifndef KVZ_HTTP_SERVER_SCRIPT
#error "KVZ_HTTP_SERVER_SCRIPT names the server script"
#endif

namespace kvz::testing {

namespace {

// Reads the child's first line ("PORT <n>"), waiting at most ten seconds.
int ReadPort(int fd) {
  std::string line;
  while (line.find('\n') == std::string::npos) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 10000) <= 0) throw std::runtime_error("test server did not start");
    char buffer[64];
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) throw std::runtime_error("test server ended at start");
    line.append(buffer, static_cast<std::size_t>(n));
  }
  int port = 0;
  if (std::sscanf(line.c_str(), "PORT %d", &port) != 1) throw std::runtime_error(line);
  return port;
}

std::string JsonString(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace

LoopbackServer::LoopbackServer(const std::string& root, const std::string& workFolder)
    : faultsFile_(workFolder + "/faults.json"), logFile_(workFolder + "/requests.log") {
  WriteFaults();
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    ::execlp("python3", "python3", KVZ_HTTP_SERVER_SCRIPT, "--root", root.c_str(), "--faults",
             faultsFile_.c_str(), "--log", logFile_.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  try {
    port_ = ReadPort(pipeFds[0]);
  } catch (...) {
    ::close(pipeFds[0]);
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    throw;
  }
  ::close(pipeFds[0]);
}

LoopbackServer::~LoopbackServer() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
}

std::string LoopbackServer::BaseUrl() const {
  return "http://127.0.0.1:" + std::to_string(port_) + "/";
}

void LoopbackServer::SetFault(const std::string& path, const std::string& mode) {
  faults_.emplace_back(path, mode);
  WriteFaults();
}

void LoopbackServer::ClearFaults() {
  faults_.clear();
  WriteFaults();
}

void LoopbackServer::WriteFaults() const {
  std::string json = "{";
  for (const auto& [path, mode] : faults_) {
    if (json.size() > 1) json += ",";
    json += JsonString(path) + ":" + JsonString(mode);
  }
  json += "}";
  // Written whole through a new file, so the server never reads half a table.
  const std::string temporary = faultsFile_ + ".new";
  std::FILE* f = std::fopen(temporary.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + temporary);
  std::fwrite(json.data(), 1, json.size(), f);
  std::fclose(f);
  std::rename(temporary.c_str(), faultsFile_.c_str());
}

std::vector<std::string> LoopbackServer::Requests() const {
  std::vector<std::string> lines;
  std::FILE* f = std::fopen(logFile_.c_str(), "rb");
  if (!f) return lines;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, f)) {
    std::string line = buffer;
    if (!line.empty() && line.back() == '\n') line.pop_back();
    lines.push_back(line);
  }
  std::fclose(f);
  return lines;
}

void LoopbackServer::ClearRequests() { std::remove(logFile_.c_str()); }

int UnusedLoopbackPort() {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);
  return ntohs(address.sin_port);
}

}  // namespace kvz::testing
