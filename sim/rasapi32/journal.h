#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kvz::sim {

// Appends one UTF-8 line to the file named by KVZ_SIM_JOURNAL (a Windows
// path); without it nothing is written.
void JournalLine(const std::string& line);

// Helpers that format journal fields. Quoted reads at most `limit` bytes of
// ANSI text (callers' fields need not be terminated), converts them from the
// ANSI code page to UTF-8 and escapes \" and \\; a null pointer is (null).
std::string Quoted(const char* ansi, size_t limit = 4096);
std::string Hex(std::uintptr_t value);       // 0x1a2b
std::string Pointer(const void* pointer);    // 0x... or 0 for a null pointer

}  // namespace kvz::sim
