# Fails unless Mortarix.exe, built again from a copy of the sources at another path into a
# build folder at another path, has exactly the bytes of the executable given.
#   cmake -DSOURCE=... -DWORK=... -DEXE=... -DGENERATOR=... -DTOOLCHAIN=... -DBUILD_TYPE=...
#         -DOBJDUMP=... -P CheckReproducible.cmake
cmake_policy(VERSION 3.25)

# Both folders have names of other lengths than the originals, so any time or path that
# reaches the executable shows as a difference.
set(copy ${WORK}/sources-elsewhere)
set(build ${WORK}/build-elsewhere)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${copy})

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(failed)
    message(FATAL_ERROR "${what} failed:\n${out}")
  endif()
endfunction()

# The tree's files as they stand, committed or not, without anything ignored.
execute_process(COMMAND git -c core.quotePath=false ls-files --cached --others --exclude-standard
  WORKING_DIRECTORY ${SOURCE} RESULT_VARIABLE failed OUTPUT_VARIABLE listing)
if(failed)
  message(FATAL_ERROR "cannot list the files of ${SOURCE} (git ls-files)")
endif()
string(REPLACE "\n" ";" listing "${listing}")
set(files)
foreach(file IN LISTS listing)
  if(EXISTS ${SOURCE}/${file})  # not deleted since the last commit
    string(APPEND files "${file}\n")
  endif()
endforeach()
file(WRITE ${WORK}/files.txt "${files}")
run("copying the sources"
  ${CMAKE_COMMAND} -E chdir ${SOURCE} ${CMAKE_COMMAND} -E tar cf ${WORK}/sources.tar --files-from=${WORK}/files.txt)
run("unpacking the sources" ${CMAKE_COMMAND} -E chdir ${copy} ${CMAKE_COMMAND} -E tar xf ${WORK}/sources.tar)

# Configured as the first build was: its generator, build type and toolchain (the copy's
# own, when the toolchain file is one of the sources).
file(RELATIVE_PATH toolchain ${SOURCE} ${TOOLCHAIN})
if(toolchain MATCHES "^\\.\\./")
  set(toolchain ${TOOLCHAIN})
else()
  set(toolchain ${copy}/${toolchain})
endif()
run("configuring the copy"
  ${CMAKE_COMMAND} -S ${copy} -B ${build} -G ${GENERATOR} -DCMAKE_TOOLCHAIN_FILE=${toolchain}
  -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DBUILD_TESTING=OFF)
run("building the copy" ${CMAKE_COMMAND} --build ${build} --target Mortarix)

set(rebuilt ${build}/ui/Mortarix.exe)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXE} ${rebuilt} RESULT_VARIABLE differ)
if(differ)
  # Name the usual causes: a link time in the header, or a source or build path.
  set(causes)
  foreach(exe IN ITEMS ${EXE} ${rebuilt})
    execute_process(COMMAND ${OBJDUMP} -p ${exe} OUTPUT_VARIABLE dump)
    string(REGEX MATCHALL "(Time/Date|CheckSum)[^\n]*" header "${dump}")
    list(JOIN header ", " header)
    string(APPEND causes "\n  ${exe}: ${header}")
  endforeach()
  file(STRINGS ${rebuilt} leaks REGEX "(sources|build)-elsewhere")
  if(leaks)
    string(APPEND causes "\n  paths in the rebuilt executable: ${leaks}")
  endif()
  message(FATAL_ERROR "the same sources built elsewhere give other bytes:${causes}")
endif()
message(STATUS "${rebuilt} has the same bytes as ${EXE}")
