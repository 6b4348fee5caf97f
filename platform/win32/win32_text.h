#pragma once
#include <string>

namespace kvz::platform::win32 {

// The system's texts are GBK bytes; the UI talks to Windows in UTF-16 so that
// Chinese shows right whatever the machine's ANSI code page is.
std::wstring WideFromGbk(const std::string& gbk);
std::string GbkFromWide(const std::wstring& wide);

}  // namespace kvz::platform::win32
