#include "platform/win32/win32_menu.h"

#include <string>

#include "platform/win32/win32_text.h"

namespace kvz::platform::win32 {

Win32Menu::Win32Menu(ui::MenuItem& root, Kind kind, int firstId) : root_(root) {
  menu_ = kind == Kind::Bar ? CreateMenu() : CreatePopupMenu();
  int nextId = firstId;
  AddItems(menu_, root_, nextId);
  root_.SetObserver(this);
}

Win32Menu::~Win32Menu() {
  Detach();
  // A bar attached to a window is destroyed with the window.
  if (menu_ && !window_) DestroyMenu(menu_);
}

void Win32Menu::Detach() { root_.SetObserver(nullptr); }

void Win32Menu::AddItems(HMENU menu, ui::MenuItem& parent, int& nextId) {
  UINT position = 0;
  for (const auto& child : parent.items()) {
    ui::MenuItem& item = *child;
    item.commandId = nextId++;
    byId_[item.commandId] = &item;
    places_[&item] = {menu, position};

    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
    info.wID = static_cast<UINT>(item.commandId);
    info.fState = item.enabled() ? MFS_ENABLED : MFS_DISABLED;
    std::wstring caption = WideFromGbk(item.caption());
    if (item.separator()) {
      info.fType = MFT_SEPARATOR;
    } else {
      info.fType = MFT_STRING;
      info.fMask |= MIIM_STRING;
      info.dwTypeData = caption.data();
    }
    if (!item.items().empty()) {
      HMENU sub = CreatePopupMenu();
      AddItems(sub, item, nextId);
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = sub;
    }
    InsertMenuItemW(menu, position++, TRUE, &info);
  }
}

ui::MenuItem* Win32Menu::ItemForCommand(int id) const {
  auto found = byId_.find(id);
  return found == byId_.end() ? nullptr : found->second;
}

void Win32Menu::AttachTo(HWND window) {
  window_ = window;
  SetMenu(window, menu_);
}

void Win32Menu::MenuItemChanged(ui::MenuItem& item) {
  Apply(item);
  if (window_) DrawMenuBar(window_);
}

void Win32Menu::Apply(ui::MenuItem& item) {
  auto found = places_.find(&item);
  if (found == places_.end() || item.separator()) return;
  std::wstring caption = WideFromGbk(item.caption());
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING | MIIM_STATE;
  info.dwTypeData = caption.data();
  info.fState = item.enabled() ? MFS_ENABLED : MFS_DISABLED;
  SetMenuItemInfoW(found->second.parent, found->second.position, TRUE, &info);
}

}  // namespace kvz::platform::win32
