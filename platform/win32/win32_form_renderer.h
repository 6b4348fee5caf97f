#pragma once
#include <memory>
#include <vector>

#include "platform/win32/win32_application.h"
#include "platform/win32/win32_fonts.h"
#include "platform/win32/win32_form_window.h"
#include "ui/ui_host.h"

namespace kvz::platform::win32 {

// The window system of the program: makes one real window per form, runs
// the message loop and the modal loops, and shows and closes the forms.
class Win32FormRenderer : public ui::UiHost, public ui::FormHost {
 public:
  explicit Win32FormRenderer(Win32Application& app);
  Win32FormRenderer(const Win32FormRenderer&) = delete;
  Win32FormRenderer& operator=(const Win32FormRenderer&) = delete;
  ~Win32FormRenderer() override;

  void Initialize(const std::string& title) override;
  void AddForm(ui::Form& form) override;
  void Run() override;

  void FormCaptionChanged(ui::Form& form) override;
  void ShowModal(ui::Form& form) override;
  void Close(ui::Form& form) override;

 private:
  Win32FormWindow* WindowOf(const ui::Form& form) const;
  // Takes every window down while the forms still exist.
  void TearDown();

  Win32Application& app_;
  FontCache fonts_;
  std::vector<std::unique_ptr<Win32FormWindow>> windows_;  // [0] is the main form
};

}  // namespace kvz::platform::win32
