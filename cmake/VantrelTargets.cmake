# vantrel_layers(<layer table> <top variable>)
# Reads the layer table (the rows "| name | `folder/` ..." of docs/layers.md,
# bottom first) and builds each layer's folder, whose CMakeLists.txt calls
# vantrel_library(<name>); each layer links the one below it. Sets the top
# variable to the library of the top layer.
function(vantrel_layers table top_variable)
  file(STRINGS ${table} rows REGEX "^\\| [a-z]+ \\| `[a-z/]+/`")
  set(below "")
  foreach(row IN LISTS rows)
    string(REGEX MATCH "^\\| ([a-z]+) \\| `([a-z/]+)/`" matched "${row}")
    add_subdirectory(${CMAKE_MATCH_2})
    if(below)
      target_link_libraries(vantrel_${CMAKE_MATCH_1} PUBLIC ${below})
    endif()
    set(below vantrel_${CMAKE_MATCH_1})
  endforeach()
  set(${top_variable} ${below} PARENT_SCOPE)
endfunction()

# vantrel_library(<layer>)
# Builds every .cpp below the calling folder, but for the program's main.cpp,
# the files of the other operating system and the folders of other layers
# (those with a CMakeLists.txt of their own), into the static library
# vantrel_<layer>. Headers are included from the repository root
# ("core/log.h"), so every library exposes that root.
function(vantrel_library layer)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB_RECURSE layer_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  foreach(layer_file IN LISTS layer_files)
    get_filename_component(layer_folder ${layer_file} DIRECTORY)
    list(FILTER sources EXCLUDE REGEX "^${layer_folder}/")
  endforeach()
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  vantrel_keep_this_system(sources)
  add_library(vantrel_${layer} STATIC ${sources})
  target_include_directories(vantrel_${layer} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(vantrel_${layer} PUBLIC vantrel_third_party)
endfunction()

# vantrel_keep_this_system(<list variable>)
# Drops the sources of the other operating system from the list: files
# named *_windows.cpp and the folder win32/ are built for Windows only,
# files named *_posix.cpp and the folder fltk/ (FLTK on X) everywhere else.
function(vantrel_keep_this_system variable)
  if(WIN32)
    list(FILTER ${variable} EXCLUDE REGEX "(_posix\\.cpp|/fltk/[^/]*\\.cpp)$")
  else()
    list(FILTER ${variable} EXCLUDE REGEX "(_windows\\.cpp|/win32/[^/]*\\.cpp)$")
  endif()
  set(${variable} ${${variable}} PARENT_SCOPE)
endfunction()

# vantrel_tests(<folder>)
# tests/<folder>/*_test.cpp become the executable <folder>_tests; files named
# *_ports_test.cpp bind the fixed ports of the feed and the TCP link and go
# into <folder>_ports_tests, whose cases share the resource lock fixed_ports.
# tests/support/*.cpp (shared fixtures) and tests/<folder>/support/*.cpp are
# linked into both, each compiled once (the object libraries
# vantrel_test_support and <folder>_test_support).
function(vantrel_tests folder)
  set(dir ${PROJECT_SOURCE_DIR}/tests/${folder})
  file(GLOB all CONFIGURE_DEPENDS ${dir}/*_test.cpp)
  file(GLOB ports CONFIGURE_DEPENDS ${dir}/*_ports_test.cpp)
  file(GLOB folder_support CONFIGURE_DEPENDS ${dir}/support/*.cpp ${dir}/support/*.h)
  set(folder_support_all ${folder_support})
  if(WIN32)
    vantrel_drop_linux_only(all)
    vantrel_drop_linux_only(ports)
    vantrel_drop_linux_only(folder_support)
    # A folder whose own fixtures need Linux-only pieces has no Windows suite.
    if(NOT "${folder_support}" STREQUAL "${folder_support_all}")
      return()
    endif()
  endif()
  set(support vantrel_test_support)
  if(NOT TARGET vantrel_test_support)
    file(GLOB shared CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
    if(WIN32)
      vantrel_drop_linux_only(shared)
    endif()
    lf_vantrel_test_objects(vantrel_test_support "${shared}")
  endif()
  list(FILTER folder_support INCLUDE REGEX "\\.cpp$")
  if(folder_support)
    lf_vantrel_test_objects(${folder}_test_support "${folder_support}")
    list(APPEND support ${folder}_test_support)
  endif()
  set(plain ${all})
  if(ports)
    list(REMOVE_ITEM plain ${ports})
  endif()
  if(plain)
    lf_vantrel_test_executable(${folder}_tests "${plain}" "${support}" "")
  endif()
  if(ports)
    lf_vantrel_test_executable(${folder}_ports_tests "${ports}" "${support}" fixed_ports)
  endif()
endfunction()

# Test fixtures compiled once and linked into every test program that uses
# them; objects rather than an archive, so that nothing in them is dropped.
function(lf_vantrel_test_objects name sources)
  add_library(${name} OBJECT ${sources})
  lf_vantrel_test_settings(${name})
endfunction()

# What test programs and their fixtures compile and link with.
function(lf_vantrel_test_settings target)
  target_link_libraries(${target} PUBLIC vantrel_all GTest::gtest GTest::gmock)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  # Under Wine this machine's folders are seen on drive Z:.
  set(root "")
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    set(root "Z:")
  endif()
  target_compile_definitions(${target} PUBLIC
    VANTREL_SOURCE_DIR="${root}${PROJECT_SOURCE_DIR}"
    VANTREL_BINARY_DIR="${root}${PROJECT_BINARY_DIR}"
    VANTREL_FIXTURES_DIR="${root}${PROJECT_SOURCE_DIR}/../shared/fixtures/real")
endfunction()

# vantrel_drop_linux_only(<list variable>)
# The Windows build's tests leave out the sources that need what only the
# Linux build has: POSIX processes, signals and descriptors, FLTK and X, and
# the fixtures built on them (child processes, the stand-in simulator and
# RealTraffic peer as Linux programs).
function(vantrel_drop_linux_only variable)
  set(kept)
  foreach(source IN LISTS ${variable})
    file(STRINGS ${source} linux_only REGEX
      "#include [<\"](sys/|unistd\\.h|poll\\.h|csignal|spawn\\.h|FL/|X11/|fixed_ports/|support/(child_process|rt_peer|stand_in_sim)\\.h)")
    get_filename_component(name ${source} NAME)
    if(NOT linux_only AND NOT name MATCHES "^(child_process|rt_peer|stand_in_sim|machine_lock)\\.cpp$")
      list(APPEND kept ${source})
    endif()
  endforeach()
  set(${variable} "${kept}" PARENT_SCOPE)
endfunction()

function(lf_vantrel_test_executable name sources support lock)
  add_executable(${name} ${sources})
  lf_vantrel_test_settings(${name})
  target_link_libraries(${name} PRIVATE ${support} GTest::gtest_main)
  # The shared fixtures start the programs (the program, the stand-in
  # simulator, the RealTraffic peer, the encryptor) and copy the data files
  # from the build: building one test program builds what it may start.
  # The Windows build has neither the stand-in simulator nor the peer.
  foreach(program IN ITEMS vantrel vantrel-sim rt-peer vantrel-encrypt vantrel_encrypted_data)
    if(TARGET ${program})
      add_dependencies(${name} ${program})
    endif()
  endforeach()
  set(properties TIMEOUT 300)
  # The cases that show real windows (tests/windows, run under Wine) share
  # one display and one Wine desktop, where the clicks and focus of two
  # cases at once would collide: they run one at a time.
  if(name STREQUAL "windows_tests")
    list(APPEND properties RESOURCE_LOCK real_windows)
  endif()
  if(lock)
    list(APPEND properties RESOURCE_LOCK ${lock})
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/fixed_ports/machine_lock.cpp)
  endif()
  # Under Wine a listing starts Wine (and the first one its prefix): slow.
  set(discovery_timeout 5)
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    set(discovery_timeout 120)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT ${discovery_timeout}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} PROPERTIES ${properties})
endfunction()

# vantrel_benchmarks(): every benchmarks/*.cpp is one Google Benchmark
# program bench_<name>; the test command builds them but does not run them.
function(vantrel_benchmarks)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/benchmarks/*.cpp)
  foreach(source IN LISTS sources)
    get_filename_component(name ${source} NAME_WE)
    add_executable(bench_${name} ${source})
    target_link_libraries(bench_${name} PRIVATE vantrel_all benchmark::benchmark_main)
    target_include_directories(bench_${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/benchmarks)
  endforeach()
endfunction()
