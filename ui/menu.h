#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kvz::ui {

class MenuItem;

class MenuObserver {
 public:
  virtual ~MenuObserver() = default;
  virtual void MenuItemChanged(MenuItem& item) = 0;
};

// A menu item with its design name, caption, enabled state and click handler.
// A menu is a tree of items; the root's children are the bar (or popup) items.
class MenuItem {
 public:
  MenuItem(std::string name, std::string caption, bool separator = false)
      : name_(std::move(name)), caption_(std::move(caption)), separator_(separator) {}

  const std::string& name() const { return name_; }
  const std::string& caption() const { return caption_; }
  bool separator() const { return separator_; }
  bool enabled() const { return enabled_; }

  void SetCaption(const std::string& caption);
  void SetEnabled(bool enabled);

  MenuItem& Add(std::string name, std::string caption, std::function<void()> onClick = {});
  MenuItem& AddSeparator(std::string name);
  const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }
  // Depth-first search by design name; nullptr when absent.
  MenuItem* Find(const std::string& name);

  std::function<void()> onClick;
  // A stable number for the item, given by the renderer (menu command id).
  int commandId = 0;

  void SetObserver(MenuObserver* observer);

 private:
  std::string name_;
  std::string caption_;
  bool separator_;
  bool enabled_ = true;
  std::vector<std::unique_ptr<MenuItem>> items_;
  MenuObserver* observer_ = nullptr;
};

}  // namespace kvz::ui
