# Shell: ShellExecuteA, and ShellExecuteExA with a wait on the started process.
list(APPEND KVZ_WIN32_SHELL
  ${CMAKE_CURRENT_LIST_DIR}/win32_shell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_paint_wait.cpp)
