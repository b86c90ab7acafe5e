# Cross toolchain: 64-bit Windows executables with Debian's clang and its linker, against
# the mingw-w64 headers and import libraries and the GCC cross toolchain's libstdc++ and
# libgcc: a second compiler over exactly the same runtime.

# The target, windres and where its libraries are: as for GCC.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

set(triple ${mingw_triple})
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${triple})
set(CMAKE_CXX_COMPILER_TARGET ${triple})
# The sysroot keeps the host's /usr/include out of the search path.
set(CMAKE_SYSROOT /usr/${triple})
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld")

# clang does not take Debian's "12-posix" folder for a GCC version, so it finds neither
# libstdc++'s headers nor libgcc: the GCC cross compiler says where they are.
execute_process(COMMAND ${triple}-gcc-posix -print-libgcc-file-name
  OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
if(failed OR NOT EXISTS "${libgcc}")
  message(FATAL_ERROR "${triple}-gcc-posix not found: install g++-mingw-w64-x86-64-posix")
endif()
get_filename_component(gcc_dir "${libgcc}" DIRECTORY)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
  ${gcc_dir}/include/c++ ${gcc_dir}/include/c++/${triple} ${gcc_dir}/include/c++/backward)
# The posix-thread libstdc++ needs winpthreads, which g++-posix would add by itself.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -L${gcc_dir} -pthread")
