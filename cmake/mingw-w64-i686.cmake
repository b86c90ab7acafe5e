# Cross toolchain: 32-bit Windows executables with mingw-w64 (POSIX threads). A 32-bit
# program runs on every Windows PC, 32-bit editions included.
set(MORTARIX_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
