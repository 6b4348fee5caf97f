# Profile functions, files and clock on the real API.
set(KVZ_WIN32_FILES_AND_SETTINGS
  ${CMAKE_CURRENT_LIST_DIR}/win32_profile_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_file_system.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_clock.cpp)
