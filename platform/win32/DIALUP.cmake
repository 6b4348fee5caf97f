# The dial-up service on the real rasapi32 (linked by platform/win32/CMakeLists.txt).
set(KVZ_WIN32_DIALUP
  ${CMAKE_CURRENT_LIST_DIR}/win32_ras_service.cpp)
