#pragma once
#include <string>

#include "platform/types.h"

namespace kvz::updater {

// Design of the updater's window, in twips (1/1440 inch).
struct Form1Design {
  static constexpr int kWidth = 2490;
  static constexpr int kHeight = 960;
  static constexpr int kLabelLeft = 600;
  static constexpr int kLabelTop = 360;
  static constexpr int kLabelWidth = 1080;
  static constexpr int kLabelHeight = 180;
};

// The real window behind Form1: a caption and the label lblProgress, which
// sizes itself to its text. It never needs to be on screen.
class IForm1Window {
 public:
  virtual ~IForm1Window() = default;
  // Owner handle for shell calls; 0 when there is no real window.
  virtual platform::WindowHandle Handle() = 0;
  virtual void SetCaption(const std::string& text) = 0;
  virtual void SetProgressText(const std::string& text) = 0;
  // Runs the messages waiting for the thread at this moment (one pass).
  virtual void ProcessMessages() = 0;
  // Destroys the window once the unload step has run; the program then ends.
  virtual void Destroy() = 0;
};

}  // namespace kvz::updater
