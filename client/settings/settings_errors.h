#pragma once
#include <stdexcept>
#include <string>

namespace kvz::client {

// A settings-file write failed; the text names the file. The event boundary
// shows it in the default error box and the program runs on.
class EIniFileException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text that should hold a number (a group of a scrambled password) does not.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kvz::client
