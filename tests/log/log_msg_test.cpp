#include "client/log/log_msg.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/host/host_file_system.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/temp_folder.h"

namespace kvz::client {
namespace {

// Counts what reaches the operating system through the real files.
class CountingFileSystem : public platform::HostFileSystem {
 public:
  int appends = 0;
  std::unique_ptr<platform::IAppendFile> OpenShared(const std::string& path) override {
    return Wrap(HostFileSystem::OpenShared(path));
  }
  std::unique_ptr<platform::IAppendFile> CreateShared(const std::string& path) override {
    return Wrap(HostFileSystem::CreateShared(path));
  }
  std::unique_ptr<platform::IAppendFile> OpenOrCreateShared(const std::string& path) override {
    return Wrap(HostFileSystem::OpenOrCreateShared(path));
  }

 private:
  class CountingFile : public platform::IAppendFile {
   public:
    CountingFile(std::unique_ptr<platform::IAppendFile> inner, int& appends)
        : inner_(std::move(inner)), appends_(appends) {}
    bool Append(const std::string& bytes) override {
      ++appends_;
      return inner_->Append(bytes);
    }
    std::optional<std::uint64_t> Size() override { return inner_->Size(); }

   private:
    std::unique_ptr<platform::IAppendFile> inner_;
    int& appends_;
  };
  std::unique_ptr<platform::IAppendFile> Wrap(std::unique_ptr<platform::IAppendFile> file) {
    if (!file) return nullptr;
    return std::make_unique<CountingFile>(std::move(file), appends);
  }
};

std::string Line(const std::string& text, const std::string& when = " 09/12/25 22:01:05") {
  char count[16];
  std::snprintf(count, sizeof count, "%6d ", static_cast<int>(text.size()));
  return "!" + when + count + "|" + text + "|\r\n";
}

class LogMsgTest : public ::testing::Test {
 protected:
  std::unique_ptr<TLogMsg> Open(const std::string& name = "kvz.log") {
    return std::make_unique<TLogMsg>(folder_.File(name), files_, clock_,
                                     [] { return std::string("unused.exe"); });
  }
  std::string Content(const std::string& name = "kvz.log") {
    return folder_.Read(name).value_or("<missing>");
  }

  testing::TempFolder folder_;
  CountingFileSystem files_;
  fakes::FakeClock clock_;
};

TEST_F(LogMsgTest, StartLineByteForByte) {
  auto log = Open();
  EXPECT_EQ(Content(), "! 09/12/25 22:01:05     5 |Start|\r\n");
}

TEST_F(LogMsgTest, UsesTheSystemSeparators) {
  clock_.dateSeparator = "-";
  clock_.timeSeparator = ".";
  auto log = Open();
  EXPECT_EQ(Content(), "! 09-12-25 22.01.05     5 |Start|\r\n");
}

TEST_F(LogMsgTest, CountIsInBytesAndTextIsWrittenAsItIs) {
  auto log = Open();
  log->LogText('!', "已连接");
  log->LogText('x', "a|b\r\nc");
  log->WriteLine('!', "ab", 2, "\0z", 2);
  EXPECT_EQ(Content(), Line("Start") + "! 09/12/25 22:01:05     6 |已连接|\r\n" +
                           "x 09/12/25 22:01:05     6 |a|b\r\nc|\r\n" +
                           std::string("! 09/12/25 22:01:05     4 |ab\0z|\r\n", 34));
}

TEST_F(LogMsgTest, CountWidensBeyondSixDigits) {
  auto log = Open();
  const std::string big(1000000, 'w');
  log->LogText('!', big);
  const std::string expected = Line("Start") + "! 09/12/25 22:01:051000000 |" + big + "|\r\n";
  EXPECT_TRUE(Content() == expected) << "the line of a million bytes differs";
}

TEST_F(LogMsgTest, EveryLineIsOneWrite) {
  auto log = Open();
  for (int i = 0; i < 10; ++i) log->LogText('!', "正在连接 line " + std::to_string(i));
  log.reset();
  EXPECT_EQ(files_.appends, 12);
}

TEST_F(LogMsgTest, StopLineTellsTheRunningTimeAndTheLineCount) {
  const struct {
    platform::LocalDateTime end;
    int lines;
    const char* text;
  } cases[] = {
      {{2025, 12, 9, 22, 1, 5, 0}, 0, "Stop. Elapsed time: 00:00:00. Messages logged: 2"},
      {{2025, 12, 9, 22, 10, 0, 0}, 3, "Stop. Elapsed time: 00:08:55. Messages logged: 5"},
      {{2025, 12, 10, 23, 1, 5, 0}, 0, "Stop. Elapsed time: 1 days 01:00:00. Messages logged: 2"},
  };
  for (const auto& c : cases) {
    std::string name = "stop" + std::to_string(c.end.minute) + std::to_string(c.end.day) + ".log";
    clock_.now = {2025, 12, 9, 22, 1, 5, 0};
    auto log = Open(name);
    for (int i = 0; i < c.lines; ++i) log->LogText('!', "x");
    clock_.now = c.end;
    log.reset();
    std::string content = Content(name);
    std::string expectedEnd = std::string("|") + c.text + "|\r\n";
    ASSERT_GE(content.size(), expectedEnd.size());
    EXPECT_EQ(content.substr(content.size() - expectedEnd.size()), expectedEnd) << content;
  }
}

TEST_F(LogMsgTest, AppendsToWhatTheFileHolds) {
  folder_.Write("kvz.log", "earlier run\r\n");
  Open().reset();
  std::string content = Content();
  EXPECT_EQ(content.rfind("earlier run\r\n" + Line("Start"), 0), 0u) << content;
}

TEST_F(LogMsgTest, RollsOverOnlyAboveTheMaximum) {
  folder_.Write("kvz.old", "previous old file");
  auto log = Open();
  const std::string startLine = Line("Start");
  const std::string a = Line("aaaa"), b = Line("bbbb"), c = Line("cccc");
  log->SetMaxSize(static_cast<std::int32_t>(startLine.size() + a.size()));
  log->LogText('!', "aaaa");  // size before: the start line only
  log->LogText('!', "bbbb");  // size equals the maximum: still no roll-over
  EXPECT_EQ(Content(), startLine + a + b);
  log->LogText('!', "cccc");  // above the maximum: this line opens the new file
  EXPECT_EQ(Content("kvz.old"), startLine + a + b);
  EXPECT_EQ(Content(), c);
  log->LogText('!', "aaaa");
  EXPECT_EQ(Content(), c + a);
}

TEST_F(LogMsgTest, ProductionMaximumIsTheLargest32BitValue) {
  EXPECT_EQ(TLogMsg::kProductionMaxSize, 2147483647);
}

TEST_F(LogMsgTest, LogThatCannotBeMovedAsideIsKept) {
  // A folder in the way of the old name: neither deleted nor replaced.
  ASSERT_EQ(::mkdir(folder_.File("kvz.old").c_str(), 0755), 0);
  folder_.Write("kvz.old/keep", "x");
  auto log = Open();
  log->SetMaxSize(1);
  log->LogText('!', "aaaa");
  EXPECT_EQ(Content(), Line("Start") + Line("aaaa"));
}

// Another copy of the client creates the log right after our open found none.
class RacingFileSystem : public platform::HostFileSystem {
 public:
  explicit RacingFileSystem(const testing::TempFolder& folder) : folder_(folder) {}
  std::unique_ptr<platform::IAppendFile> OpenShared(const std::string& path) override {
    if (!raced_) {
      raced_ = true;
      folder_.Write("kvz.log", "their line\r\n");
      return nullptr;
    }
    return HostFileSystem::OpenShared(path);
  }

 private:
  const testing::TempFolder& folder_;
  bool raced_ = false;
};

TEST_F(LogMsgTest, LogCreatedByAnotherCopyMeanwhileIsNotEmptied) {
  RacingFileSystem racing(folder_);
  {
    TLogMsg log(folder_.File("kvz.log"), racing, clock_, [] { return std::string(); });
  }
  std::string content = Content();
  EXPECT_EQ(content.rfind("their line\r\n" + Line("Start"), 0), 0u) << content;
}

TEST_F(LogMsgTest, UnwritableFolderLeavesTheProgramRunningWithoutALog) {
  auto log = Open("no-such-folder/kvz.log");
  log->LogText('!', "x");
  log->LogText('!', "y");
  EXPECT_EQ(log->MessageCount(), 2);
  log.reset();
  EXPECT_FALSE(folder_.Exists("no-such-folder"));
  EXPECT_EQ(files_.appends, 0);
}

TEST_F(LogMsgTest, EmptyNameTakesTheExecutablesName) {
  ASSERT_EQ(::mkdir(folder_.File("d").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(folder_.File("d/net").c_str(), 0755), 0);
  platform::HostFileSystem drives(folder_.Path());  // D:\ is folder/d
  {
    TLogMsg log("", drives, clock_, [] { return std::string("D:\\Net\\Client.EXE"); });
    EXPECT_EQ(log.LogFileName(), "d:\\net\\client.log");
  }
  std::string content = Content("d/net/client.log");
  EXPECT_EQ(content.rfind(Line("Start"), 0), 0u) << content;
}

}  // namespace
}  // namespace kvz::client
