# The native build: the portable core on the in-memory desktop, its unit
# tests (with the address and undefined-behaviour sanitizers), the
# benchmarks, and the end-to-end tests of the Windows program under Wine.
enable_testing()
find_package(GTest REQUIRED)
# compile_commands.json, for clang-tidy (the lint test below) and editors.
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

file(GLOB SIM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/sim/*.cpp)
# The sim reads the string tables from the source tree, wherever the tests run.
set_source_files_properties(${CMAKE_SOURCE_DIR}/platform/sim/sim_ui_text.cpp PROPERTIES
  COMPILE_DEFINITIONS "WIDEROOM_RES_DIR=\"${CMAKE_SOURCE_DIR}/res\"")

set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(wideroom_core_san STATIC ${CORE_SOURCES} ${SIM_SOURCES})
target_include_directories(wideroom_core_san PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(wideroom_core_san PUBLIC ${SANITIZE})
target_link_options(wideroom_core_san PUBLIC ${SANITIZE})

file(GLOB TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
add_executable(wideroom_tests ${TEST_SOURCES})
target_link_libraries(wideroom_tests PRIVATE wideroom_core_san GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(wideroom_tests WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 60)

# The committed icon and splash are what res/make_art.py draws from VERSION.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_FOUND)
  add_test(NAME res.art_current COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/res/make_art.py --check)
endif()

# clang-tidy with the repository's .clang-tidy over the portable core (not
# the sim, the tests or the Win32-only files, which this build does not
# compile), on two processes.
find_program(RUN_CLANG_TIDY NAMES run-clang-tidy run-clang-tidy-14)
if(RUN_CLANG_TIDY)
  add_test(NAME lint.clang_tidy
           COMMAND ${CMAKE_COMMAND} -DRUN_TIDY=${RUN_CLANG_TIDY} -DBUILD=${CMAKE_BINARY_DIR} -DJOBS=2
                   -P ${CMAKE_SOURCE_DIR}/cmake/run_tidy.cmake
           WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  set_tests_properties(lint.clang_tidy PROPERTIES TIMEOUT 600 PROCESSORS 2)
endif()
# Only the window placer places other programs' windows.
add_test(NAME source.one_window_placer
         COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/one_placer.cmake)

# Benchmarks: optimised, no sanitizers; built, not run by the tests.
find_package(benchmark QUIET)
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
if(benchmark_FOUND AND BENCH_SOURCES)
  add_library(wideroom_core_bench STATIC ${CORE_SOURCES} ${SIM_SOURCES})
  # The core's sources once in the compile database: as the tests build them.
  set_target_properties(wideroom_core_bench PROPERTIES EXPORT_COMPILE_COMMANDS OFF)
  target_include_directories(wideroom_core_bench PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(wideroom_core_bench PRIVATE -O2)
  foreach(src ${BENCH_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_compile_options(${name} PRIVATE -O2)
    target_link_libraries(${name} PRIVATE wideroom_core_bench benchmark::benchmark)
  endforeach()
endif()

# Every shell script of the repository passes shellcheck at warning level.
add_test(NAME lint.shellcheck COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-shell.sh)
set_tests_properties(lint.shellcheck PROPERTIES TIMEOUT 600)

# End-to-end tests: each e2e/test_*.sh runs the Windows programs of
# WIDEROOM_WIN64_DIR under Wine on its own Xvfb and Wine prefix. The tests
# named *i686* run the 32-bit program of WIDEROOM_WIN32_DIR beside them, under
# emulation: minutes where the others take seconds. They are added only when
# WIDEROOM_WIN32_DIR is set (make native sets it).
set(WIDEROOM_WIN64_DIR "" CACHE PATH "build folder of the x86_64 Windows program")
set(WIDEROOM_WIN32_DIR "" CACHE PATH "build folder of the i686 Windows program")
if(WIDEROOM_WIN64_DIR)
  # The Wine prefix that every test copies, made first: with 32-bit Wine
  # installed that takes minutes, more than one test's time limit.
  add_test(NAME e2e.wine_template COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/wine-template.sh)
  set_tests_properties(e2e.wine_template PROPERTIES TIMEOUT 900 RESOURCE_LOCK wine FIXTURES_SETUP wine_template)
  file(GLOB E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/e2e/test_*.sh)
  foreach(t ${E2E_TESTS})
    get_filename_component(name ${t} NAME_WE)
    if(name MATCHES "i686")
      if(WIDEROOM_WIN32_DIR)
        add_test(NAME e2e.${name}
          COMMAND bash ${t} ${WIDEROOM_WIN64_DIR} ${CMAKE_BINARY_DIR}/e2e/${name} ${WIDEROOM_WIN32_DIR})
        set_tests_properties(e2e.${name} PROPERTIES TIMEOUT 1500)
      endif()
    else()
      add_test(NAME e2e.${name} COMMAND bash ${t} ${WIDEROOM_WIN64_DIR} ${CMAKE_BINARY_DIR}/e2e/${name})
      set_tests_properties(e2e.${name} PROPERTIES TIMEOUT 300)
    endif()
    if(TEST e2e.${name})
      set_tests_properties(e2e.${name} PROPERTIES RESOURCE_LOCK wine FIXTURES_REQUIRED wine_template)
    endif()
  endforeach()
endif()
