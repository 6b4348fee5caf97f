#include "platform/win32/win32_form_renderer.h"

#include <commctrl.h>

#include "platform/win32/win32_message_loop.h"

namespace kvz::platform::win32 {

Win32FormRenderer::Win32FormRenderer(Win32Application& app) : app_(app) {}

Win32FormRenderer::~Win32FormRenderer() { TearDown(); }

void Win32FormRenderer::Initialize(const std::string& title) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  app_.SetTitle(title);
}

void Win32FormRenderer::AddForm(ui::Form& form) {
  HWND owner = windows_.empty() ? nullptr : windows_.front()->hwnd();
  form.SetHost(this);
  windows_.push_back(std::make_unique<Win32FormWindow>(form, owner, fonts_));
  if (windows_.size() == 1) app_.SetMainWindow(windows_.front()->hwnd());
}

Win32FormWindow* Win32FormRenderer::WindowOf(const ui::Form& form) const {
  for (const auto& window : windows_) {
    if (&window->form() == &form) return window.get();
  }
  return nullptr;
}

void Win32FormRenderer::Run() {
  if (windows_.empty() || !windows_.front()->hwnd()) {
    TearDown();
    return;
  }
  Win32FormWindow& main = *windows_.front();
  // The show handler runs as the window comes up, before it is first painted.
  main.form().Invoke([&] { main.form().FormShow(); });
  main.Show();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchWindowMessage(message);
  TearDown();
}

void Win32FormRenderer::FormCaptionChanged(ui::Form& form) {
  if (Win32FormWindow* window = WindowOf(form)) window->CaptionChanged();
}

void Win32FormRenderer::ShowModal(ui::Form& form) {
  Win32FormWindow* window = WindowOf(form);
  if (!window || !window->hwnd()) return;
  HWND owner = GetWindow(window->hwnd(), GW_OWNER);
  if (owner) EnableWindow(owner, FALSE);
  form.Invoke([&] { form.FormShow(); });
  if (!form.closed()) {
    window->Show();
    MSG message;
    while (!form.closed()) {
      BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got <= 0) {
        // The application is ending: leave the box and let the main loop end.
        if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
        break;
      }
      DispatchWindowMessage(message);
    }
  }
  // The owner is enabled before the box goes, so it gets the activation back.
  if (owner) EnableWindow(owner, TRUE);
  window->Hide();
  if (owner && IsWindowVisible(owner)) SetActiveWindow(owner);
}

void Win32FormRenderer::Close(ui::Form& form) {
  Win32FormWindow* window = WindowOf(form);
  if (!window) return;
  if (window == windows_.front().get()) {
    // Closing the main form ends the program.
    window->Hide();
    PostQuitMessage(0);
  } else {
    // The modal loop sees the form closed once this message is through.
    PostMessageW(window->hwnd(), WM_NULL, 0, 0);
  }
}

void Win32FormRenderer::TearDown() {
  // Owned windows go before their owner.
  while (!windows_.empty()) {
    windows_.back()->form().SetHost(nullptr);
    windows_.pop_back();
  }
  app_.SetMainWindow(nullptr);
}

}  // namespace kvz::platform::win32
