# The source.one_window_placer test: outside platform/, the tests, the
# benchmarks and the end-to-end tools, only engine/window_placer.cpp places
# other programs' windows, so that every rule about placing them holds on
# every path. Run as cmake -DSOURCE=... -P.
file(GLOB_RECURSE files ${SOURCE}/app/*.cpp ${SOURCE}/engine/*.cpp ${SOURCE}/navigator/*.cpp
     ${SOURCE}/settings/*.cpp ${SOURCE}/store/*.cpp ${SOURCE}/app/*.h ${SOURCE}/engine/*.h
     ${SOURCE}/navigator/*.h ${SOURCE}/settings/*.h ${SOURCE}/store/*.h)
set(offenders "")
foreach(f ${files})
  if(f STREQUAL "${SOURCE}/engine/window_placer.cpp")
    continue()
  endif()
  file(STRINGS ${f} hits REGEX "platform::(moveWindow|setWindowPos|setRestoredRect)[ \t]*\\(")
  if(hits)
    list(APPEND offenders ${f})
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "windows placed outside engine/window_placer.cpp: ${offenders}")
endif()
