#pragma once

namespace kvz::client {

// Both generated scripts go to the same file in the root of drive C; each
// deletes it as its own last command.
inline constexpr const char kCommandScriptPath[] = "c:\\cmd.cmd";
// What the capture script's filter leaves of the ipconfig output.
inline constexpr const char kNetInfoPath[] = "c:\\netInfo.tmp";

}  // namespace kvz::client
