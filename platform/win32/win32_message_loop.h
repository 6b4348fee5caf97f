#pragma once
#include <windows.h>

namespace kvz::platform::win32 {

// Marks a top-level window as a form: its controls get the dialog keys
// (Tab, Enter for the default button, Escape, mnemonics).
void MarkAsForm(HWND window);
void UnmarkAsForm(HWND window);

// Hands one message to its window, giving the dialog keys to the form it
// belongs to first. Every loop of the program (the main loop, modal boxes,
// one pass of waiting messages) goes through here.
void DispatchWindowMessage(MSG& message);

// Runs the messages that are waiting now. A quit request seen on the way is
// put back so the loop that owns it still ends.
void ProcessWaitingMessages();

}  // namespace kvz::platform::win32
