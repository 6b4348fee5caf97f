#include "client/log/log_msg.h"

#include <cstdio>

#include "client/log/log_names.h"
#include "client/log/log_time.h"

namespace kvz::client {

TLogMsg::TLogMsg(const std::string& fileName, platform::IFileSystem& files,
                 platform::IClock& clock, ModuleFileNameFn moduleFileName)
    : files_(files), clock_(clock) {
  FMaxSize = kProductionMaxSize;
  FStartTime = DateTimeValue(clock_.Now());
  FLogFileName = LogFileNameFor(fileName, fileName.empty() ? moduleFileName() : std::string());
  FOldFileName = OldFileNameFor(FLogFileName);
  // Another copy of the client may create the file between a failed open and
  // the creation; it must not be emptied then, so the second step keeps it.
  FLogFile = files_.OpenShared(FLogFileName);
  if (!FLogFile) FLogFile = files_.OpenOrCreateShared(FLogFileName);
  if (FLogFile) LogText('!', "Start");
}

TLogMsg::~TLogMsg() {
  const double elapsed = DateTimeValue(clock_.Now()) - FStartTime;
  const auto count = static_cast<std::int32_t>(static_cast<std::uint32_t>(FMessageCount) + 1u);
  LogText('!', "Stop. Elapsed time: " + FormatElapsed(elapsed) +
                   ". Messages logged: " + std::to_string(count));
  FLogFile.reset();
}

void TLogMsg::LogText(char tag, const std::string& text) {
  LogBuffer(tag, text.data(), static_cast<int>(text.size()));
}

void TLogMsg::LogBuffer(char tag, const char* buffer, int length) {
  WriteLine(tag, buffer, length, nullptr, 0);
}

void TLogMsg::WriteLine(char tag, const char* buffer, int length, const char* extra,
                        int extraLength) {
  FMessageCount = static_cast<std::int32_t>(static_cast<std::uint32_t>(FMessageCount) + 1u);
  if (length < 0) length = 0;
  if (extraLength < 0) extraLength = 0;

  // One reading of the clock gives the date and the time, so a line written
  // at midnight never pairs the old date with the new time.
  const platform::LocalDateTime now = clock_.Now();
  char count[32];
  std::snprintf(count, sizeof count, "%6d ", length + extraLength);
  std::string line(1, tag);
  line += LogDatePiece(now, clock_.DateSeparator());
  line += LogTimePiece(now, clock_.TimeSeparator());
  line += count;
  line += '|';
  if (length > 0) line.append(buffer, static_cast<std::size_t>(length));
  if (extraLength > 0) line.append(extra, static_cast<std::size_t>(extraLength));
  line += "|\r\n";

  if (FLogFile) {
    auto size = FLogFile->Size();
    if (size && FMaxSize >= 0 && *size > static_cast<std::uint64_t>(FMaxSize)) RollOver();
  }
  if (FLogFile) FLogFile->Append(line);
}

void TLogMsg::RollOver() {
  FLogFile.reset();
  files_.DeleteFile(FOldFileName);
  // Once the log is moved aside the name is free; if another copy of the
  // client has already made a new log there, its lines stay. If the log could
  // not be moved aside, emptying it would lose it: the lines go on at its end
  // and the next line tries again.
  files_.RenameFile(FLogFileName, FOldFileName);
  FLogFile = files_.OpenOrCreateShared(FLogFileName);
}

std::string TLogMsg::FormatElapsed(double elapsedDays) {
  return FormatElapsedDays(elapsedDays, clock_.TimeSeparator());
}

}  // namespace kvz::client
