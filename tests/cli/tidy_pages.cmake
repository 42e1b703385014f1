# Runs `tidy -errors -q` over every summary page of the golden cases; any
# error or warning fails the test.
#   cmake -DTIDY=/usr/bin/tidy -DGOLDEN_DIR=... -P tidy_pages.cmake
if(NOT TIDY)
  message(FATAL_ERROR "tidy is missing (Debian package tidy; scripts/bootstrap installs it)")
endif()
file(GLOB pages "${GOLDEN_DIR}/*/expected.report.html")
if(NOT pages)
  message(FATAL_ERROR "no summary pages under ${GOLDEN_DIR}")
endif()
set(failed "")
foreach(page IN LISTS pages)
  execute_process(COMMAND "${TIDY}" -errors -q "${page}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    string(APPEND failed "${page} (tidy exit ${status}):\n${out}${err}\n")
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "${failed}")
endif()
list(LENGTH pages count)
message(STATUS "${count} pages pass tidy")
