# Every third-party library comes from Debian's packages (tools/install-deps).
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/DependenciesWindows.cmake)
  return()
endif()
find_package(Threads REQUIRED)
find_package(PkgConfig REQUIRED)
find_package(fmt REQUIRED)
find_package(Microsoft.GSL REQUIRED)
find_package(pugixml REQUIRED)
find_package(nlohmann_json REQUIRED)
find_package(CURL REQUIRED)
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)
pkg_check_modules(SODIUM REQUIRED IMPORTED_TARGET libsodium)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
# FLTK's own package file (and the find module, which reads it) fail when the
# fluid tool is not installed; the shared library is all we use.
find_path(FLTK_INCLUDE_DIR FL/Fl.H REQUIRED)
find_library(FLTK_LIBRARY fltk REQUIRED)
# Xlib, which FLTK is built on, for what FLTK does not offer (the window
# layer opens the display itself and asks for "stay on top").
find_package(X11 REQUIRED)
include(GoogleTest)

# What every subsystem library may call.
add_library(vantrel_third_party INTERFACE)
target_link_libraries(vantrel_third_party INTERFACE
  Threads::Threads fmt::fmt Microsoft.GSL::GSL pugixml::pugixml nlohmann_json::nlohmann_json
  CURL::libcurl PkgConfig::SODIUM PkgConfig::LIBZIP ${FLTK_LIBRARY} X11::X11)
target_include_directories(vantrel_third_party SYSTEM INTERFACE ${FLTK_INCLUDE_DIR})
