# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (the posix thread
# model, so std::thread and std::mutex work) into executables that need no
# DLL of the compiler: libgcc, libstdc++ and winpthread are linked in.
#
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64.cmake
#
# The cross-built libraries are looked for in VANTREL_WINDOWS_DEPS (default
# build-windows/deps, written by tools/build-windows-deps) and in the
# toolchain's own folder, which holds zlib; never in the machine's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)
set(CMAKE_AR ${mingw_triplet}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${mingw_triplet}-gcc-ranlib-posix CACHE FILEPATH "")

if(NOT VANTREL_WINDOWS_DEPS)
  if(DEFINED ENV{VANTREL_WINDOWS_DEPS})
    set(VANTREL_WINDOWS_DEPS $ENV{VANTREL_WINDOWS_DEPS})
  else()
    get_filename_component(VANTREL_WINDOWS_DEPS ${CMAKE_CURRENT_LIST_DIR}/../build-windows/deps ABSOLUTE)
  endif()
endif()
set(VANTREL_WINDOWS_DEPS ${VANTREL_WINDOWS_DEPS} CACHE PATH "Prefix of the cross-built libraries")
# try_compile projects run this file again; they need the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VANTREL_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH ${VANTREL_WINDOWS_DEPS} /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The toolchain's zlib comes as libz.a and as zlib1.dll: link it in.
set(ZLIB_USE_STATIC_LIBS ON)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
