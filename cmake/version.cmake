# The version number: VERSION at the top of the repository holds it once
# (major.minor.patch); the resources, the about box, the manifest, the help
# and the release file names all take it from there.
file(STRINGS ${CMAKE_SOURCE_DIR}/VERSION WIDEROOM_VERSION LIMIT_COUNT 1)
string(STRIP "${WIDEROOM_VERSION}" WIDEROOM_VERSION)
if(NOT WIDEROOM_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "VERSION must read major.minor.patch, not '${WIDEROOM_VERSION}'")
endif()
set(WIDEROOM_VERSION_MAJOR ${CMAKE_MATCH_1})
set(WIDEROOM_VERSION_MINOR ${CMAKE_MATCH_2})
set(WIDEROOM_VERSION_PATCH ${CMAKE_MATCH_3})
set(WIDEROOM_VERSION4 ${WIDEROOM_VERSION}.0)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/VERSION)

set(WIDEROOM_GENERATED_RES ${CMAKE_BINARY_DIR}/res)
configure_file(${CMAKE_SOURCE_DIR}/res/version.h.in ${WIDEROOM_GENERATED_RES}/version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/res/wideroom.exe.manifest.in ${WIDEROOM_GENERATED_RES}/wideroom.exe.manifest
               @ONLY)
