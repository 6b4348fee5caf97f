#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/file_system.h"

namespace kvz::client {

// The client's event log: a start line, one line per message, a stop line
// with the running time. Every line goes to the system with one append-mode
// write, so copies of the client sharing the file never mix their lines.
// Failures of the file are never reported.
class TLogMsg {
 public:
  using ModuleFileNameFn = std::function<std::string()>;
  static constexpr std::int32_t kProductionMaxSize = 2147483647;

  // An empty fileName names the log after the executable (moduleFileName).
  TLogMsg(const std::string& fileName, platform::IFileSystem& files, platform::IClock& clock,
          ModuleFileNameFn moduleFileName);
  virtual ~TLogMsg();
  TLogMsg(const TLogMsg&) = delete;
  TLogMsg& operator=(const TLogMsg&) = delete;

  void LogText(char tag, const std::string& text);
  void LogBuffer(char tag, const char* buffer, int length);
  void WriteLine(char tag, const char* buffer, int length, const char* extra, int extraLength);
  std::string FormatElapsed(double elapsedDays);

  const std::string& LogFileName() const { return FLogFileName; }
  const std::string& OldFileName() const { return FOldFileName; }
  std::int32_t MessageCount() const { return FMessageCount; }
  // Size in bytes above which the next line starts a new file; tests lower it.
  void SetMaxSize(std::int32_t maxSize) { FMaxSize = maxSize; }

 private:
  void RollOver();

  platform::IFileSystem& files_;
  platform::IClock& clock_;
  std::string FLogFileName;
  std::string FOldFileName;
  std::unique_ptr<platform::IAppendFile> FLogFile;
  double FStartTime = 0;
  std::int32_t FMessageCount = 0;
  std::int32_t FMaxSize = kProductionMaxSize;
};

}  // namespace kvz::client
