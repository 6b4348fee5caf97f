#include "ui/form.h"

#include <exception>

namespace kvz::ui {

void Form::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (host_) host_->FormCaptionChanged(*this);
}

void Form::Invoke(const std::function<void()>& handler) {
  if (!handler) return;
  try {
    handler();
  } catch (const std::exception& e) {
    app_.ShowError(e.what());
  }
}

void Form::MinimizeCommand() { app_.MinimizeToTray(); }

void Form::ShowModal() {
  closed_ = false;
  if (host_) {
    host_->ShowModal(*this);
  } else {
    Invoke([this] { FormShow(); });
  }
}

void Form::Close() {
  closed_ = true;
  if (host_) host_->Close(*this);
}

Control* Form::Find(const std::string& name) const {
  for (const auto& control : controls) {
    if (control->name() == name) return control.get();
  }
  return nullptr;
}

Control& Form::AddControl(std::string name, ControlKind kind, Bounds bounds, Control* parent,
                          std::string caption) {
  controls.push_back(std::make_unique<Control>(std::move(name), kind, bounds, parent));
  Control& control = *controls.back();
  control.SetCaption(caption);
  return control;
}

}  // namespace kvz::ui
