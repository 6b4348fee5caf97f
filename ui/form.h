#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/application.h"
#include "ui/control.h"
#include "ui/menu.h"
#include "ui/tray_icon.h"

namespace kvz::ui {

class Form;

enum class BorderStyle { Sizeable, Dialog, Single };

// What a form asks of the window system beyond its controls.
class FormHost {
 public:
  virtual ~FormHost() = default;
  virtual void FormCaptionChanged(Form& form) = 0;
  virtual void ShowModal(Form& form) = 0;
  virtual void Close(Form& form) = 0;
};

// A window as plain data and handlers. Derived forms build their controls in
// their constructors (the design data) and bind the handlers.
class Form {
 public:
  explicit Form(platform::IApplication& app) : app_(app) {}
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  platform::IApplication& app() const { return app_; }

  const std::string& caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  // Runs an event handler inside the event boundary: an exception that
  // escapes it is shown in the default error box and the program runs on.
  void Invoke(const std::function<void()>& handler);

  // The show handler, raised when the window is shown (modal boxes: each time).
  virtual void FormShow() {}
  // The window's message handler for messages of the form's own; true when
  // the message was consumed.
  virtual bool WndProc(unsigned /*message*/, std::uintptr_t /*wParam*/, std::intptr_t /*lParam*/) {
    return false;
  }
  // The minimise command of the title bar or the system menu.
  virtual void MinimizeCommand();

  void ShowModal();
  void Close();
  bool closed() const { return closed_; }

  Control* Find(const std::string& name) const;

  // Design data.
  std::string windowClass;
  Bounds outer;             // outer size, or the client area when clientSized
  bool clientSized = false;
  int minWidth = 0, minHeight = 0;
  BorderStyle border = BorderStyle::Sizeable;
  bool systemMenu = true;
  bool minimizeButton = true;
  bool maximizeButton = true;
  bool closeButton = true;
  std::string iconResource;
  std::vector<std::unique_ptr<Control>> controls;  // design order
  std::unique_ptr<MenuItem> mainMenu;
  std::unique_ptr<MenuItem> popupMenu;
  std::unique_ptr<TrayIcon> trayIcon;

  void SetHost(FormHost* host) { host_ = host; }

 protected:
  Control& AddControl(std::string name, ControlKind kind, Bounds bounds, Control* parent = nullptr,
                      std::string caption = {});

 private:
  platform::IApplication& app_;
  std::string caption_;
  bool closed_ = false;
  FormHost* host_ = nullptr;
};

}  // namespace kvz::ui
