#include "ui/control.h"

namespace kvz::ui {

void Control::SetCaption(const std::string& text) {
  caption_ = text;
  Notify(Change::Caption);
}

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Notify(Change::Enabled);
}

void Control::SetVisible(bool visible) {
  visible_ = visible;
  Notify(Change::Visible);
}

void Control::SetChecked(bool checked) {
  checked_ = checked;
  Notify(Change::Checked);
}

void Control::ClearLines() {
  lines_.clear();
  Notify(Change::LinesCleared);
}

void Control::AddLine(const std::string& line) {
  lines_.push_back(line);
  Notify(Change::LineAdded);
}

void Control::Navigate(const std::string& url) {
  url_ = url;
  ++navigations_;
  Notify(Change::Navigate);
}

void Control::SetActivePage(int index) {
  activePage_ = index;
  Notify(Change::ActivePage);
}

}  // namespace kvz::ui
