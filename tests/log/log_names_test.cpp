#include "client/log/log_names.h"

#include <gtest/gtest.h>

namespace kvz::client {
namespace {

struct NameCase {
  const char* fileName;
  const char* module;
  const char* log;
  const char* old;
};

const NameCase kCases[] = {
    {"", "D:\\Net\\Client.EXE", "d:\\net\\client.log", "d:\\net\\client.old"},
    {"", "c:\\a.exe.d\\client.exe", "c:\\a.log", "c:\\a.old"},
    {"", "C:\\Program Files\\Tovan\\KVZClient.exe", "c:\\program files\\tovan\\kvzclient.log",
     "c:\\program files\\tovan\\kvzclient.old"},
    {"", "C:\\Tools\\client", "c:\\tools\\client.log", "c:\\tools\\client.old"},
    {"Trace.EXE", "C:\\ignored.exe", "trace.log", "trace.old"},
    {"run", "C:\\ignored.exe", "run", "run.old"},
    {"C:\\Logs\\My.Log", "", "c:\\logs\\my.log", "c:\\logs\\my.old"},
    {"a.exe.txt", "", "a.exe.txt", "a.exe.old"},
    {".EXE", "", ".exe", ".old"},
    // 0x81 0x41 is one Chinese character: its second byte is no letter "A".
    {"", "C:\\\x81\x41\\K.EXE", "c:\\\x81\x41\\k.log", "c:\\\x81\x41\\k.old"},
    {"\x81\x41.EXE", "", "\x81\x41.log", "\x81\x41.old"},
};

TEST(LogNames, LogAndOldNames) {
  for (const auto& c : kCases) {
    std::string log = LogFileNameFor(c.fileName, c.module);
    EXPECT_EQ(log, c.log) << "file \"" << c.fileName << "\" module \"" << c.module << "\"";
    EXPECT_EQ(OldFileNameFor(log), c.old) << log;
  }
}

}  // namespace
}  // namespace kvz::client
