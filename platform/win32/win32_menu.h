#pragma once
#include <windows.h>

#include <map>

#include "ui/menu.h"

namespace kvz::platform::win32 {

// A real menu (a menu bar or a popup menu) built from a MenuItem tree. It
// numbers the items (see command_ids.h) and follows caption and enabled
// changes of the model.
class Win32Menu : public ui::MenuObserver {
 public:
  enum class Kind { Bar, Popup };
  Win32Menu(ui::MenuItem& root, Kind kind, int firstId);
  Win32Menu(const Win32Menu&) = delete;
  Win32Menu& operator=(const Win32Menu&) = delete;
  ~Win32Menu() override;

  HMENU handle() const { return menu_; }
  // The item with this command id, or nullptr.
  ui::MenuItem* ItemForCommand(int id) const;
  // A menu bar belongs to its window from here on (the window destroys it).
  void AttachTo(HWND window);
  // Stops following the model (before the model or the window goes away).
  void Detach();

  void MenuItemChanged(ui::MenuItem& item) override;

 private:
  struct Place {
    HMENU parent;
    UINT position;
  };
  void AddItems(HMENU menu, ui::MenuItem& parent, int& nextId);
  void Apply(ui::MenuItem& item);

  ui::MenuItem& root_;
  HMENU menu_ = nullptr;
  HWND window_ = nullptr;
  std::map<int, ui::MenuItem*> byId_;
  std::map<ui::MenuItem*, Place> places_;
};

}  // namespace kvz::platform::win32
