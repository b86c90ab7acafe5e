# Fails unless the executable imports only DLLs that come with Windows itself and its
# header names the oldest Windows it is built for, Vista (6.0), as OS and subsystem.
#   cmake -DOBJDUMP=... -DEXE=... -P CheckExecutable.cmake
cmake_policy(VERSION 3.25)
set(system_dlls
  kernel32.dll user32.dll gdi32.dll comctl32.dll advapi32.dll shell32.dll ole32.dll
  msvcrt.dll ucrtbase.dll version.dll)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read the import table of ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "no imported DLL found in ${EXE}: the dump format changed?")
endif()

set(foreign)
set(all)
foreach(line IN LISTS lines)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(TOLOWER "${dll}" dll)
  list(APPEND all ${dll})
  # The universal runtime reaches Windows through its api-set names.
  if(NOT dll IN_LIST system_dlls AND NOT dll MATCHES "^api-ms-win-")
    list(APPEND foreign ${dll})
  endif()
endforeach()
message(STATUS "imports: ${all}")
if(foreign)
  message(FATAL_ERROR "imports DLLs that do not come with Windows: ${foreign}")
endif()

foreach(field MajorOSystemVersion MinorOSystemVersion MajorSubsystemVersion MinorSubsystemVersion)
  string(REGEX MATCH "${field}[ \t]+([0-9]+)" line "${dump}")
  list(APPEND versions "${field}=${CMAKE_MATCH_1}")
endforeach()
set(expected MajorOSystemVersion=6 MinorOSystemVersion=0 MajorSubsystemVersion=6 MinorSubsystemVersion=0)
message(STATUS "header: ${versions}")
if(NOT versions STREQUAL expected)
  message(FATAL_ERROR "the header declares ${versions}, not Windows Vista (6.0)")
endif()
