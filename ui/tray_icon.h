#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/application.h"
#include "ui/menu.h"

namespace kvz::ui {

class TrayIcon;

class TrayIconObserver {
 public:
  virtual ~TrayIconObserver() = default;
  // Hint, picture or animation changed.
  virtual void TrayIconChanged(TrayIcon& icon) = 0;
};

// The notification-area icon: hint, pictures, animation and the minimise and
// restore operations that move the application into and out of the tray.
class TrayIcon {
 public:
  TrayIcon(platform::IApplication& app, std::vector<std::string> pictures, int iconIndex,
           std::string hint)
      : app_(app), pictures_(std::move(pictures)), iconIndex_(iconIndex), hint_(std::move(hint)) {}

  const std::string& hint() const { return hint_; }
  void SetHint(const std::string& hint);
  bool animate() const { return animate_; }
  void SetAnimate(bool animate);
  int iconIndex() const { return iconIndex_; }
  // Resource names of the pictures, in order.
  const std::vector<std::string>& pictures() const { return pictures_; }

  // Once a second while animating: the next picture, after the last the first.
  void AnimationTick();
  // Minimise the application, hide its taskbar button, then raise onMinimize.
  void Minimize();
  // Restore the application to the foreground, then raise onRestore.
  void Restore();

  MenuItem* popupMenu = nullptr;   // opened on right-button release
  static constexpr unsigned kAnimationIntervalMs = 1000;
  std::function<void()> onMinimize;
  std::function<void()> onRestore;

  void SetObserver(TrayIconObserver* observer) { observer_ = observer; }

 private:
  void Notify() {
    if (observer_) observer_->TrayIconChanged(*this);
  }

  platform::IApplication& app_;
  std::vector<std::string> pictures_;
  int iconIndex_;
  std::string hint_;
  bool animate_ = false;
  TrayIconObserver* observer_ = nullptr;
};

}  // namespace kvz::ui
