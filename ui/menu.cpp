#include "ui/menu.h"

namespace kvz::ui {

void MenuItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (observer_) observer_->MenuItemChanged(*this);
}

void MenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (observer_) observer_->MenuItemChanged(*this);
}

MenuItem& MenuItem::Add(std::string name, std::string caption, std::function<void()> onClick) {
  items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption)));
  items_.back()->onClick = std::move(onClick);
  items_.back()->observer_ = observer_;
  return *items_.back();
}

MenuItem& MenuItem::AddSeparator(std::string name) {
  items_.push_back(std::make_unique<MenuItem>(std::move(name), std::string(), true));
  items_.back()->observer_ = observer_;
  return *items_.back();
}

MenuItem* MenuItem::Find(const std::string& name) {
  if (name_ == name) return this;
  for (auto& item : items_) {
    if (MenuItem* found = item->Find(name)) return found;
  }
  return nullptr;
}

void MenuItem::SetObserver(MenuObserver* observer) {
  observer_ = observer;
  for (auto& item : items_) item->SetObserver(observer);
}

}  // namespace kvz::ui
