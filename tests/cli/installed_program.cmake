# Installs the command-line component into PREFIX and runs the installed
# program: scripts and schedulers call tallyer-cli from its installed place.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P installed_program.cmake
file(REMOVE_RECURSE "${PREFIX}")
set(config_args)
if(CONFIG)
  set(config_args --config "${CONFIG}")  # multi-configuration generators need it
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                        --component cli ${config_args}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install of the cli component failed: ${status}")
endif()
set(program "${PREFIX}/bin/tallyer-cli${CMAKE_EXECUTABLE_SUFFIX}")
if(NOT EXISTS "${program}")
  message(FATAL_ERROR "not installed: ${program}")
endif()
# A cross-built program runs through its emulator (Wine); EMULATOR is empty otherwise.
execute_process(COMMAND ${EMULATOR} "${program}" --help RESULT_VARIABLE status OUTPUT_VARIABLE help)
if(NOT status EQUAL 0 OR NOT help MATCHES "GROUP_FILE")
  message(FATAL_ERROR "the installed tallyer-cli does not run: ${status}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
