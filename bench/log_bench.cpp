// Event log throughput: our logger (one append-mode write per line) against
// a logger that hands every byte to the system on its own, on the same
// 100,000 mixed ASCII and Chinese lines. Prints both side by side.
//   log_bench [LINES]
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "client/log/log_msg.h"
#include "client/log/log_time.h"
#include "platform/host/host_clock.h"
#include "platform/host/host_file_system.h"

namespace {

using kvz::platform::IAppendFile;

// Counts the write calls that reach the system through the real files.
class CountingFiles : public kvz::platform::HostFileSystem {
 public:
  long long writes = 0;
  std::unique_ptr<IAppendFile> OpenShared(const std::string& path) override {
    return Wrap(HostFileSystem::OpenShared(path));
  }
  std::unique_ptr<IAppendFile> CreateShared(const std::string& path) override {
    return Wrap(HostFileSystem::CreateShared(path));
  }
  std::unique_ptr<IAppendFile> OpenOrCreateShared(const std::string& path) override {
    return Wrap(HostFileSystem::OpenOrCreateShared(path));
  }

 private:
  class File : public IAppendFile {
   public:
    File(std::unique_ptr<IAppendFile> inner, long long& writes)
        : inner_(std::move(inner)), writes_(writes) {}
    bool Append(const std::string& bytes) override {
      ++writes_;
      return inner_->Append(bytes);
    }
    std::optional<std::uint64_t> Size() override { return inner_->Size(); }

   private:
    std::unique_ptr<IAppendFile> inner_;
    long long& writes_;
  };
  std::unique_ptr<IAppendFile> Wrap(std::unique_ptr<IAppendFile> file) {
    if (!file) return nullptr;
    return std::make_unique<File>(std::move(file), writes);
  }
};

// The same line format, written the old way: a size query, then every byte
// of the line with its own write call.
class ByteWiseLog {
 public:
  ByteWiseLog(const std::string& path, CountingFiles& files, kvz::platform::IClock& clock)
      : file_(files.CreateShared(path)), clock_(clock) {}
  void LogText(char tag, const std::string& text) {
    const auto now = clock_.Now();
    char count[32];
    std::snprintf(count, sizeof count, "%6d ", static_cast<int>(text.size()));
    std::string line(1, tag);
    line += kvz::client::LogDatePiece(now, clock_.DateSeparator());
    line += kvz::client::LogTimePiece(now, clock_.TimeSeparator());
    line += count;
    line += '|' + text + "|\r\n";
    if (!file_) return;
    file_->Size();
    for (char c : line) file_->Append(std::string(1, c));
  }

 private:
  std::unique_ptr<IAppendFile> file_;
  kvz::platform::IClock& clock_;
};

double Seconds() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

std::vector<std::string> MixedLines(int count) {
  const char* pieces[] = {"正在打开端口...", "成功打开端口", "开始认证...", "已经连接",
                          "Connect Time: 125 Sec with ZORuda", "已经断开连接",
                          "route add 10.0.0.0 mask 255.0.0.0 192.168.1.1", "通讯交互中..."};
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    lines.push_back(std::string(pieces[i % 8]) + " #" + std::to_string(i));
  }
  return lines;
}

struct Result {
  double seconds;
  long long writes;
  long long bytes;
};

void Print(const char* name, int lines, const Result& r) {
  std::printf("%-24s %8d %9.3f %12.0f %12.2f %12lld\n", name, lines, r.seconds,
              lines / r.seconds, static_cast<double>(r.writes) / lines, r.bytes);
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  if (count <= 0) return 2;
  // The log lowercases the name it is given, so the folder has no capitals.
  const std::string folder = "/tmp/kvz-log-bench-" + std::to_string(getpid());
  if (mkdir(folder.c_str(), 0700) != 0) return 1;
  const std::string ours = folder + "/ours.log";
  const std::string bytewise = folder + "/bytewise.log";
  const std::vector<std::string> lines = MixedLines(count);
  kvz::platform::HostClock clock;

  Result a{}, b{};
  {
    CountingFiles files;
    double start = Seconds();
    {
      kvz::client::TLogMsg log(ours, files, clock, [] { return std::string(); });
      for (const auto& line : lines) log.LogText('!', line);
    }
    a.seconds = Seconds() - start;
    a.writes = files.writes - 2;  // without the start and stop lines
    a.bytes = static_cast<long long>(files.ReadWholeFile(ours).value_or("").size());
  }
  {
    CountingFiles files;
    double start = Seconds();
    {
      ByteWiseLog log(bytewise, files, clock);
      for (const auto& line : lines) log.LogText('!', line);
    }
    b.seconds = Seconds() - start;
    b.writes = files.writes;
    b.bytes = static_cast<long long>(files.ReadWholeFile(bytewise).value_or("").size());
  }
  unlink(ours.c_str());
  unlink(bytewise.c_str());
  rmdir(folder.c_str());

  std::printf("%-24s %8s %9s %12s %12s %12s\n", "logger", "lines", "seconds", "lines/s",
              "writes/line", "file bytes");
  Print("one append per line", count, a);
  Print("one write per byte", count, b);
  std::printf("speed-up: %.1fx (our file also holds its start and stop lines)\n",
              b.seconds / a.seconds);
  return 0;
}
