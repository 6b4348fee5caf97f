#pragma once
#include <windows.h>

#include "updater/form1.h"
#include "updater/form1_window.h"

namespace kvz::platform::win32 {

// The real window of the updater's Form1: a fixed-border window with its
// caption and the static label lblProgress. It is never shown; its texts are
// kept current all the same. Texts are GBK and go to the wide API.
class UpdateForm1Window : public updater::IForm1Window {
 public:
  explicit UpdateForm1Window(HINSTANCE instance);
  ~UpdateForm1Window() override;
  UpdateForm1Window(const UpdateForm1Window&) = delete;
  UpdateForm1Window& operator=(const UpdateForm1Window&) = delete;

  // The form whose transfer a close request aborts.
  void Attach(updater::Form1* form) { form_ = form; }

  WindowHandle Handle() override { return reinterpret_cast<WindowHandle>(window_); }
  void SetCaption(const std::string& text) override;
  void SetProgressText(const std::string& text) override;
  void ProcessMessages() override;
  void Destroy() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void FitLabelToText();

  HWND window_ = nullptr;
  HWND label_ = nullptr;
  updater::Form1* form_ = nullptr;
};

}  // namespace kvz::platform::win32
