# The Windows program, cross-compiled with MinGW-w64 and linked statically so
# that nothing but the exe is needed.
enable_language(RC)

file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/app/*.cpp
  ${CMAKE_SOURCE_DIR}/platform/win32/*.cpp
  ${CMAKE_SOURCE_DIR}/engine/*_win32.cpp
  ${CMAKE_SOURCE_DIR}/store/*_win32.cpp
  ${CMAKE_SOURCE_DIR}/navigator/*_win32.cpp
  ${CMAKE_SOURCE_DIR}/settings/*_win32.cpp)

set(WIN_LINK_FLAGS -static -static-libgcc -static-libstdc++ -mwindows)
set(WIN_LIBS user32 gdi32 shell32 comctl32 kernel32 advapi32)

# The resources of the other languages and the string tables, beside the
# Japanese ones of wideroom.rc.
set(WIDEROOM_LANGUAGE_RC ${CMAKE_SOURCE_DIR}/res/strings_ja.rc ${CMAKE_SOURCE_DIR}/res/wideroom_en.rc)

add_library(wideroom_core STATIC ${CORE_SOURCES})
target_include_directories(wideroom_core PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(wideroom WIN32 ${WIN32_SOURCES} ${CMAKE_SOURCE_DIR}/res/wideroom.rc ${WIDEROOM_LANGUAGE_RC})
target_link_libraries(wideroom PRIVATE wideroom_core ${WIN_LIBS})
target_link_options(wideroom PRIVATE ${WIN_LINK_FLAGS})
# The generated version header and manifest.
target_include_directories(wideroom PRIVATE ${WIDEROOM_GENERATED_RES})
set_target_properties(wideroom PROPERTIES OUTPUT_NAME wideroom)
# wideroomc.exe, the command-line companion: a console program beside
# wideroom.exe that takes only the command records of the portable core.
add_executable(wideroomc ${CMAKE_SOURCE_DIR}/cli/wideroomc.cpp)
target_link_libraries(wideroomc PRIVATE wideroom_core user32 shell32 kernel32)
target_link_options(wideroomc PRIVATE -static -static-libgcc -static-libstdc++)
target_include_directories(wideroomc PRIVATE ${CMAKE_SOURCE_DIR} ${WIDEROOM_GENERATED_RES})
# A test build that can provoke an unhandled fault on request.
option(WIDEROOM_TEST_HOOKS "build wideroom-test.exe with fault hooks" ON)
if(WIDEROOM_TEST_HOOKS)
  add_executable(wideroom_test WIN32 ${WIN32_SOURCES} ${CMAKE_SOURCE_DIR}/res/wideroom.rc ${WIDEROOM_LANGUAGE_RC})
  target_compile_definitions(wideroom_test PRIVATE WIDEROOM_TEST_HOOKS=1)
  target_link_libraries(wideroom_test PRIVATE wideroom_core ${WIN_LIBS})
  target_link_options(wideroom_test PRIVATE ${WIN_LINK_FLAGS})
  target_include_directories(wideroom_test PRIVATE ${WIDEROOM_GENERATED_RES})
  set_target_properties(wideroom_test PROPERTIES OUTPUT_NAME wideroom-test)
endif()

# End-to-end helpers, one exe per e2e/*.cpp (wr<name>.exe): the driver that
# walks, reads and pokes windows, sample windows run in their own process,
# and the tools of single tests.
file(GLOB E2E_TOOLS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/e2e/*.cpp)
foreach(src ${E2E_TOOLS})
  get_filename_component(tool ${src} NAME_WE)
  add_executable(wr${tool} ${src})
  target_include_directories(wr${tool} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(wr${tool} PRIVATE ${WIN_LIBS})
  target_link_options(wr${tool} PRIVATE -static -static-libgcc -static-libstdc++)
endforeach()

# Benchmark tools under Wine that run the portable core on the real window
# manager (bench/win32/<name>.cpp as wr<name>.exe).
file(GLOB PLATFORM_WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/win32/*.cpp)
file(GLOB BENCH_TOOLS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/win32/*.cpp)
foreach(src ${BENCH_TOOLS})
  get_filename_component(tool ${src} NAME_WE)
  string(REPLACE "_" "" tool ${tool})
  add_executable(wr${tool} ${src} ${PLATFORM_WIN32_SOURCES})
  target_link_libraries(wr${tool} PRIVATE wideroom_core ${WIN_LIBS})
  target_link_options(wr${tool} PRIVATE -static -static-libgcc -static-libstdc++)
endforeach()
# The file tool runs the program's own safe write.
target_sources(wrfiletool PRIVATE ${CMAKE_SOURCE_DIR}/platform/win32/files_win32.cpp)
target_link_libraries(wrfiletool PRIVATE wideroom_core)

# A library named like the help library, planted beside the program by the
# help test.
add_library(wrplanted SHARED ${CMAKE_SOURCE_DIR}/e2e/plant/hhctrl.cpp)
set_target_properties(wrplanted PROPERTIES OUTPUT_NAME hhctrl PREFIX "" SUFFIX .ocx
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/plant LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/plant
  ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/plant)
target_link_options(wrplanted PRIVATE -static -static-libgcc -static-libstdc++)

include(cmake/help.cmake)
