#include "ui/tray_icon.h"

namespace kvz::ui {

void TrayIcon::SetHint(const std::string& hint) {
  hint_ = hint;
  Notify();
}

void TrayIcon::SetAnimate(bool animate) {
  animate_ = animate;
  Notify();
}

void TrayIcon::AnimationTick() {
  if (!animate_ || pictures_.empty()) return;
  iconIndex_ = (iconIndex_ + 1) % static_cast<int>(pictures_.size());
  Notify();
}

void TrayIcon::Minimize() {
  app_.MinimizeToTray();
  if (onMinimize) onMinimize();
}

void TrayIcon::Restore() {
  app_.RestoreFromTray();
  if (onRestore) onRestore();
}

}  // namespace kvz::ui
