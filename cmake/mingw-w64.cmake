# Cross toolchain: Windows executables with mingw-w64 (POSIX threads), 64-bit unless a
# toolchain file that includes this one sets MORTARIX_MINGW_PROCESSOR first.
if(NOT MORTARIX_MINGW_PROCESSOR)
  set(MORTARIX_MINGW_PROCESSOR x86_64)
endif()
set(mingw_triple ${MORTARIX_MINGW_PROCESSOR}-w64-mingw32)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MORTARIX_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
