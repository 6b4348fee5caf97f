#include "updater/file_download.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "tests/updater/update_fakes.h"

namespace kvz::updater {
namespace {

using platform::IUrlDownloadSink;
using platform::UrlTransferResult;
using Report = std::tuple<std::int32_t, std::int32_t, std::int32_t, std::string>;

// An engine over a scripted facility, recording every OnProgress event and
// every message pass in one sequence.
class FileDownloadTest : public ::testing::Test {
 protected:
  testing::ScriptedDownloader facility;
  std::vector<std::string> trace;
  std::vector<Report> reports;
  CFileDownload engine{facility, [this] { trace.push_back("messages"); }};

  void SetUp() override {
    engine.OnProgress = [this](std::int32_t p, std::int32_t m, std::int32_t s,
                               const std::string& t) {
      trace.push_back("progress " + std::to_string(s));
      reports.emplace_back(p, m, s, t);
    };
  }

  // A transfer that starts, reports once, answers with `status` and `length`
  // and gives the facility result `result`.
  void PlayTransfer(int status, std::optional<std::uint64_t> length, UrlTransferResult result) {
    facility.script = [=](const auto&, IUrlDownloadSink& sink) {
      sink.OnStart();
      sink.OnResponse(status, length);
      sink.OnProgress(10, 10, 6, "end");
      sink.OnStop();
      return result;
    };
  }
};

TEST_F(FileDownloadTest, PassesReportsOnAndLetsMessagesRunAfterEach) {
  facility.script = [](const auto& call, IUrlDownloadSink& sink) {
    EXPECT_EQ(call.url, "http://127.0.0.1/x");
    EXPECT_EQ(call.file, "C:\\kvz\\update\\x");
    sink.OnStart();
    sink.OnProgress(0, 0, 1, "");  // a report without text and without total
    sink.OnProgress(5, 10, 14, "C:\\cache\\x[1]");
    sink.OnStop();
    return UrlTransferResult{true, 0};
  };
  EXPECT_TRUE(engine.StartDownloading("http://127.0.0.1/x", "C:\\kvz\\update\\x"));
  EXPECT_EQ(trace, (std::vector<std::string>{"progress 1", "messages", "progress 14", "messages"}));
  EXPECT_EQ(reports, (std::vector<Report>{{0, 0, 1, ""}, {5, 10, 14, "C:\\cache\\x[1]"}}));
}

TEST_F(FileDownloadTest, TakesTheFacilitysUnsignedValuesAsSigned) {
  facility.script = [](const auto&, IUrlDownloadSink& sink) {
    sink.OnStart();
    sink.OnProgress(0xFFFFFFFFu, 0x80000000u, 7, "t");
    sink.OnStop();
    return UrlTransferResult{true, 0};
  };
  engine.StartDownloading("u", "f");
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], (Report{-1, INT32_MIN, 7, "t"}));
}

TEST_F(FileDownloadTest, SucceedsOnlyForAWholeAnswerWithA2xxStatus) {
  struct Case {
    bool facilityOk;
    int status;
    std::optional<std::uint64_t> announced, saved;
    bool result;
  };
  const Case cases[] = {
      {true, 200, 10, 10, true},
      {true, 204, 0, 0, true},
      {true, 0, std::nullopt, 0, false},   // the connection closed without an answer
      {true, 200, std::nullopt, 7, true},  // no length announced: nothing to hold it against
      {false, 200, 10, 10, false},
      {true, 404, 10, 10, false},  // the error page saved as the file
      {true, 500, 10, 10, false},
      {true, 302, 0, 0, false},
      {true, 199, 0, 0, false},
      {true, 200, 10, 5, false},  // cut off mid-body
      {true, 200, 10, 11, false},
      {true, 200, 10, std::nullopt, false},  // the target could not be written
      {true, 200, std::nullopt, std::nullopt, false},
  };
  for (const auto& c : cases) {
    PlayTransfer(c.status, c.announced, {c.facilityOk, c.saved});
    EXPECT_EQ(engine.StartDownloading("u", "f"), c.result)
        << "facility " << c.facilityOk << " status " << c.status << " announced "
        << c.announced.value_or(999) << " saved " << c.saved.value_or(999);
  }
}

TEST_F(FileDownloadTest, ALaterAnswerReplacesAnEarlierOne) {
  facility.script = [](const auto&, IUrlDownloadSink& sink) {
    sink.OnStart();
    sink.OnResponse(301, 0);
    sink.OnResponse(200, 4);
    sink.OnStop();
    return UrlTransferResult{true, 4};
  };
  EXPECT_TRUE(engine.StartDownloading("u", "f"));
}

TEST_F(FileDownloadTest, TransferWithoutAnyHttpAnswerCountsOnTheFacilityAndTheFile) {
  // A cache hit or a file: URL: the facility tells no HTTP answer at all.
  facility.script = [](const auto&, IUrlDownloadSink& sink) {
    sink.OnStart();
    sink.OnStop();
    return UrlTransferResult{true, 3};
  };
  EXPECT_TRUE(engine.StartDownloading("u", "f"));
  facility.script = [](const auto&, IUrlDownloadSink& sink) {
    sink.OnStart();
    sink.OnStop();
    return UrlTransferResult{true, std::nullopt};
  };
  EXPECT_FALSE(engine.StartDownloading("u", "f"));
}

TEST_F(FileDownloadTest, AnswerOfTheLastTransferDoesNotCarryOver) {
  PlayTransfer(404, 10, {true, 10});
  EXPECT_FALSE(engine.StartDownloading("u", "f"));
  facility.script = [](const auto&, IUrlDownloadSink& sink) {
    sink.OnStart();
    sink.OnStop();
    return UrlTransferResult{true, 3};
  };
  EXPECT_TRUE(engine.StartDownloading("u", "f"));
}

TEST_F(FileDownloadTest, NestedStartFromAReportIsRefusedAndLeavesTheTransferAlone) {
  std::vector<bool> nested;
  engine.OnProgress = [&](std::int32_t, std::int32_t, std::int32_t, const std::string&) {
    nested.push_back(engine.StartDownloading("u2", "f2"));
  };
  PlayTransfer(200, 10, {true, 10});
  EXPECT_TRUE(engine.StartDownloading("u", "f"));
  EXPECT_EQ(nested, std::vector<bool>{false});
  ASSERT_EQ(facility.calls.size(), 1u);
  EXPECT_EQ(facility.calls[0].url, "u");
}

TEST_F(FileDownloadTest, NestedStartFromAMessageIsRefused) {
  std::vector<bool> nested;
  CFileDownload pumped(facility, [&] { nested.push_back(pumped.StartDownloading("u2", "f2")); });
  PlayTransfer(200, 10, {true, 10});
  EXPECT_TRUE(pumped.StartDownloading("u", "f"));
  EXPECT_EQ(nested, std::vector<bool>{false});
  EXPECT_EQ(facility.calls.size(), 1u);
}

TEST_F(FileDownloadTest, StartIsRefusedWhileAnAbortedTransferIsStillEnding) {
  std::vector<bool> nested;
  engine.OnProgress = [&](std::int32_t, std::int32_t, std::int32_t, const std::string&) {
    engine.AbortDownloading();
    EXPECT_FALSE(engine.IsDownloading());
    nested.push_back(engine.StartDownloading("u2", "f2"));
  };
  PlayTransfer(200, 10, {false, 5});
  EXPECT_FALSE(engine.StartDownloading("u", "f"));
  EXPECT_EQ(facility.aborts, 1);
  EXPECT_EQ(nested, std::vector<bool>{false});
  EXPECT_EQ(facility.calls.size(), 1u);
}

TEST_F(FileDownloadTest, TwoTransfersInARow) {
  PlayTransfer(200, 10, {true, 10});
  EXPECT_TRUE(engine.StartDownloading("u1", "f1"));
  EXPECT_FALSE(engine.IsDownloading());
  EXPECT_TRUE(engine.StartDownloading("u2", "f2"));
  ASSERT_EQ(facility.calls.size(), 2u);
  EXPECT_EQ(facility.calls[1].url, "u2");
}

TEST_F(FileDownloadTest, FailureBeforeTheStartRaisesNothing) {
  facility.script = [](const auto&, IUrlDownloadSink&) { return UrlTransferResult{}; };
  EXPECT_FALSE(engine.StartDownloading("u", "f"));
  EXPECT_TRUE(trace.empty());
  EXPECT_FALSE(engine.IsDownloading());
}

TEST_F(FileDownloadTest, AbortOutsideATransferOnlyClearsTheFlag) {
  engine.AbortDownloading();
  EXPECT_EQ(facility.aborts, 0);
  EXPECT_FALSE(engine.IsDownloading());
  // And after a finished transfer the facility is not disturbed either.
  PlayTransfer(200, 10, {true, 10});
  engine.StartDownloading("u", "f");
  engine.AbortDownloading();
  EXPECT_EQ(facility.aborts, 0);
}

TEST_F(FileDownloadTest, IsDownloadingFromStartToStop) {
  std::vector<bool> seen;
  facility.script = [&](const auto&, IUrlDownloadSink& sink) {
    seen.push_back(engine.IsDownloading());
    sink.OnStart();
    seen.push_back(engine.IsDownloading());
    sink.OnStop();
    seen.push_back(engine.IsDownloading());
    return UrlTransferResult{true, 0};
  };
  engine.StartDownloading("u", "f");
  EXPECT_EQ(seen, (std::vector<bool>{false, true, false}));
}

}  // namespace
}  // namespace kvz::updater
