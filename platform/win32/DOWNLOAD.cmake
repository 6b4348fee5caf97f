# URL download over URL monikers (urlmon): the updater's transfer facility.
list(APPEND KVZ_WIN32_DOWNLOAD
  "${CMAKE_CURRENT_LIST_DIR}/urlmon_bind_callback.cpp"
  "${CMAKE_CURRENT_LIST_DIR}/urlmon_downloader.cpp")
