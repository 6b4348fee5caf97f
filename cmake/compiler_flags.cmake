# Every narrow literal of the system is GBK (code page 936); sources stay UTF-8.
if(MSVC)
  add_compile_options(/source-charset:utf-8 /execution-charset:.936 /W4 /permissive-)
  if(KVZ_WERROR)
    add_compile_options(/WX)
  endif()
  # Static runtime: the programs need no runtime DLLs beside them.
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
else()
  add_compile_options(
    $<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8>
    $<$<COMPILE_LANGUAGE:C,CXX>:-fexec-charset=GBK>
    $<$<COMPILE_LANGUAGE:C,CXX>:-Wall>
    $<$<COMPILE_LANGUAGE:C,CXX>:-Wextra>
    # GCC 12 reports std::string concatenation as overlapping copies (a known
    # false positive at -O2 and above).
    $<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
  if(KVZ_WERROR)
    add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-Werror>)
  endif()
  if(WIN32)
    add_link_options(-static -static-libgcc -static-libstdc++)
  endif()
endif()

if(WIN32)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  if(NOT MSVC)
    set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
  endif()
endif()

# Adds a Windows GUI program whose output lands in the shipped folder.
function(kvz_add_dist_program target)
  add_executable(${target} WIN32 ${ARGN})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${KVZ_DIST_DIR}")
endfunction()
