# The help files, one per language, compiled from help/ with chmcmd and put
# beside the exe, where the help command looks for them first.
find_program(CHMCMD chmcmd REQUIRED)
file(GLOB HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*.css ${CMAKE_SOURCE_DIR}/help/*/*)
set(HELP_OUTPUTS)
# language folder | file | code page of its title and contents
foreach(row "ja|Wideroom.chm|CP932" "en|Wideroom-en.chm|CP1252")
  string(REPLACE "|" ";" row ${row})
  list(GET row 0 lang)
  list(GET row 1 file)
  list(GET row 2 codepage)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/${file}
    COMMAND bash ${CMAKE_SOURCE_DIR}/help/build_chm.sh ${CMAKE_SOURCE_DIR}/help/${lang}
            ${CMAKE_BINARY_DIR}/help/${lang} ${CMAKE_BINARY_DIR}/${file} ${codepage}
    DEPENDS ${HELP_SOURCES} ${CMAKE_SOURCE_DIR}/help/build_chm.sh
    COMMENT "Compiling the help file ${file}")
  list(APPEND HELP_OUTPUTS ${CMAKE_BINARY_DIR}/${file})
endforeach()
add_custom_target(help_files ALL DEPENDS ${HELP_OUTPUTS})
