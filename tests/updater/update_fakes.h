#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/url_download.h"
#include "updater/form1_window.h"

namespace kvz::testing {

// Records what Form1 shows and how often it lets messages run.
class FakeForm1Window : public updater::IForm1Window {
 public:
  platform::WindowHandle handle = 0x4242;
  std::vector<std::string> captions, progressTexts;
  int messagePasses = 0, destroyCalls = 0;
  std::function<void()> onProcessMessages;

  platform::WindowHandle Handle() override { return handle; }
  void SetCaption(const std::string& text) override { captions.push_back(text); }
  void SetProgressText(const std::string& text) override { progressTexts.push_back(text); }
  void ProcessMessages() override {
    ++messagePasses;
    if (onProcessMessages) onProcessMessages();
  }
  void Destroy() override { ++destroyCalls; }
};

// A facility whose every transfer is played by `script`, which drives the
// sink as the real facility would and gives the facility's result.
class ScriptedDownloader : public platform::IUrlDownloader {
 public:
  struct Call {
    std::string url, file;
  };
  using Script =
      std::function<platform::UrlTransferResult(const Call&, platform::IUrlDownloadSink&)>;
  Script script;
  std::vector<Call> calls;
  int aborts = 0;

  platform::UrlTransferResult Transfer(const std::string& url, const std::string& file,
                                       platform::IUrlDownloadSink& sink) override {
    calls.push_back({url, file});
    return script(calls.back(), sink);
  }
  void Abort() override { ++aborts; }
};

}  // namespace kvz::testing
