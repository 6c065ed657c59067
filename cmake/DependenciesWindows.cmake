# The Windows build's libraries: the static ones that tools/build-windows-deps
# cross-builds from Debian's sources into VANTREL_WINDOWS_DEPS (set by the
# toolchain file, cmake/mingw-w64.cmake), zlib from the toolchain's own
# folder, and the header-only {fmt}, nlohmann-json and GSL, which that
# prefix's include folder shows through links to Debian's headers. The
# targets have the names that the Linux build gives them, so that every
# CMakeLists.txt links the same names on both systems.
if(NOT VANTREL_WINDOWS_DEPS OR NOT EXISTS ${VANTREL_WINDOWS_DEPS}/include/fmt)
  message(FATAL_ERROR "The Windows build needs the cross-built libraries: run tools/build-windows-deps "
                      "and configure with --toolchain cmake/mingw-w64.cmake (tools/build-windows does both)")
endif()
set(THREADS_PREFER_PTHREAD_FLAG ON)
find_package(Threads REQUIRED)
find_package(ZLIB REQUIRED)
find_package(pugixml CONFIG REQUIRED)
find_package(CURL CONFIG REQUIRED)
find_package(libzip CONFIG REQUIRED)
find_package(GTest CONFIG REQUIRED)
find_path(SODIUM_INCLUDE_DIR sodium.h REQUIRED)
find_library(SODIUM_LIBRARY sodium REQUIRED)
include(GoogleTest)

set(header_only_dir ${VANTREL_WINDOWS_DEPS}/include)
add_library(fmt::fmt INTERFACE IMPORTED)
set_target_properties(fmt::fmt PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${header_only_dir} INTERFACE_COMPILE_DEFINITIONS FMT_HEADER_ONLY=1)
foreach(target IN ITEMS Microsoft.GSL::GSL nlohmann_json::nlohmann_json)
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${header_only_dir})
endforeach()

# Static libsodium and libzip: their headers declare DLL imports unless told.
add_library(PkgConfig::SODIUM STATIC IMPORTED)
set_target_properties(PkgConfig::SODIUM PROPERTIES IMPORTED_LOCATION ${SODIUM_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${SODIUM_INCLUDE_DIR} INTERFACE_COMPILE_DEFINITIONS SODIUM_STATIC=1)
add_library(PkgConfig::LIBZIP INTERFACE IMPORTED)
set_target_properties(PkgConfig::LIBZIP PROPERTIES
  INTERFACE_LINK_LIBRARIES libzip::zip INTERFACE_COMPILE_DEFINITIONS ZIP_STATIC=1)

# What every subsystem library may call.
add_library(vantrel_third_party INTERFACE)
target_link_libraries(vantrel_third_party INTERFACE
  Threads::Threads fmt::fmt Microsoft.GSL::GSL pugixml::pugixml nlohmann_json::nlohmann_json
  CURL::libcurl PkgConfig::SODIUM PkgConfig::LIBZIP)
