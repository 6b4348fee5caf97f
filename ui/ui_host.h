#pragma once
#include <string>

#include "ui/form.h"

namespace kvz::ui {

// The window system as the entry sequence sees it.
class UiHost {
 public:
  virtual ~UiHost() = default;
  // Initialise the application and set its title (the taskbar text).
  virtual void Initialize(const std::string& title) = 0;
  // Creates the form's window from its design data, hidden. The first form
  // added is the main form.
  virtual void AddForm(Form& form) = 0;
  // Shows the main form (raising its FormShow once) and runs the message loop
  // until the main form closes or the application is asked to end.
  virtual void Run() = 0;
};

}  // namespace kvz::ui
