# Fails unless the executable runs on a bare Windows Vista, 32-bit or 64-bit: its header
# names Vista (6.0) as OS and subsystem, it imports only DLLs that Vista ships, and every
# function it imports is in the list of those known to exist on Vista.
#   cmake -DOBJDUMP=... -DEXE=... -DIMPORTS=VistaImports.txt -P CheckExecutable.cmake
cmake_policy(VERSION 3.25)
# Not the universal C runtime (ucrtbase.dll, api-ms-win-*): Vista to 8.1 lack it without
# an update.
set(vista_dlls
  kernel32.dll user32.dll gdi32.dll comctl32.dll advapi32.dll shell32.dll ole32.dll
  msvcrt.dll version.dll)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read the import table of ${EXE}")
endif()

# The allowed functions: a DLL's name on a line of its own, its functions indented below.
file(STRINGS ${IMPORTS} list_lines REGEX "^[^#]")
foreach(line IN LISTS list_lines)
  string(STRIP "${line}" name)
  if(line MATCHES "^[ \t]")
    list(APPEND allowed_${dll} ${name})
  else()
    string(TOLOWER "${name}" dll)
  endif()
endforeach()

# Each DLL's name, then one line per function: hint (after an address in GNU objdump's
# listing) and name, "<none>" for an ordinal; binutils 2.44 writes address, ordinal or
# "<none>", the hint in hex, then the name.
# The newer form first: an address of decimal digits alone would also pass for a hint.
string(REGEX MATCHALL "DLL Name: [^\n]+|\n\t[0-9a-f]+  (<none>|[0-9]+)  [0-9a-f]+  [A-Za-z_?][^ \n]*|\n[ \t]+([0-9a-f]+\t)? *[0-9]+  [A-Za-z_?<][^ \n]*"
  entries "${dump}")
set(dlls)
set(read)
set(unknown)
set(count 0)
foreach(entry IN LISTS entries)
  if(entry MATCHES "^DLL Name: (.+)")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
    list(APPEND dlls ${dll})
    if(NOT dll IN_LIST vista_dlls)
      list(APPEND unknown "${dll} (a DLL Vista does not ship)")
    endif()
    continue()
  endif()
  string(REGEX MATCH "([0-9a-f]+)  ([^ ]+)$" _ "${entry}")
  set(function ${CMAKE_MATCH_2})
  if(function STREQUAL "<none>")
    set(function "ordinal ${CMAKE_MATCH_1}")
  endif()
  math(EXPR count "${count} + 1")
  list(APPEND read ${dll})
  if(dll IN_LIST vista_dlls AND NOT function IN_LIST allowed_${dll})
    list(APPEND unknown "${dll} ${function}")
  endif()
endforeach()
list(REMOVE_DUPLICATES read)
if(NOT dlls OR NOT read STREQUAL dlls)
  message(FATAL_ERROR "no functions read for some of the DLLs ${dlls} of ${EXE}: the dump format changed?")
endif()
message(STATUS "imports ${count} functions from ${dlls}")
if(unknown)
  list(JOIN unknown "\n  " unknown)
  message(FATAL_ERROR "imports what is not known to exist on Windows Vista:\n  ${unknown}\n"
    "Add a function to ${IMPORTS} only once it is known to exist on Vista (Microsoft's "
    "documented minimum supported client); otherwise call it through GetProcAddress.")
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
