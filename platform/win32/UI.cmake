# The application object, the form renderer, the tray icon and the browser pane.
set(KVZ_WIN32_UI
  ${CMAKE_CURRENT_LIST_DIR}/win32_application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_message_loop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_form_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_form_events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_form_sync.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_form_renderer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_tray_icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_browser_pane.cpp)
# The renderer draws the ui models; the library is made after this file is
# read, so the link is added once this folder is done.
cmake_language(DEFER CALL target_link_libraries kvz_platform_win32 PUBLIC kvz_ui)
