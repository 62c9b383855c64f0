# The lint.clang_tidy test: clang-tidy with the repository's .clang-tidy over
# the portable core's sources, through the build's compile database, on
# JOBS processes. Run as cmake -DRUN_TIDY=... -DBUILD=... -DJOBS=... -P.
execute_process(
  COMMAND ${RUN_TIDY} -quiet -p ${BUILD} -j ${JOBS} "/(engine|store|navigator|settings)/[^/]*\\.cpp$"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "clang-tidy reported findings (status ${status})")
endif()
