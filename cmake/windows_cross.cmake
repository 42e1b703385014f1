# What a cross-build for Windows takes from Debian besides the MinGW tree:
# header-only libraries (by their headers alone, never the host's include
# folder, which holds glibc's headers) and GoogleTest built from its sources.
set(_deps "${CMAKE_BINARY_DIR}/host-headers")

# A package config that names an include folder holding only `header_dir`.
function(tallyer_header_only_package package target header_dir)
  set(include_dir "${_deps}/${package}/include")
  file(MAKE_DIRECTORY "${include_dir}")
  if(NOT EXISTS "${include_dir}/${header_dir}")
    file(CREATE_LINK "/usr/include/${header_dir}" "${include_dir}/${header_dir}" SYMBOLIC)
  endif()
  file(WRITE "${_deps}/${package}/lib/cmake/${package}/${package}Config.cmake"
       "if(NOT TARGET ${target})\n"
       "  add_library(${target} INTERFACE IMPORTED)\n"
       "  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES \"${include_dir}\")\n"
       "endif()\n")
  # The host package's version file, so that a versioned find_package accepts it.
  set(version_file "/usr/share/cmake/${package}/${package}ConfigVersion.cmake")
  if(EXISTS "${version_file}")
    file(COPY "${version_file}" DESTINATION "${_deps}/${package}/lib/cmake/${package}")
  endif()
  list(APPEND CMAKE_FIND_ROOT_PATH "${_deps}/${package}")
  set(CMAKE_FIND_ROOT_PATH "${CMAKE_FIND_ROOT_PATH}" PARENT_SCOPE)
endfunction()

if(EXISTS /usr/include/CLI/CLI.hpp)
  tallyer_header_only_package(CLI11 CLI11::CLI11 CLI)
endif()
if(EXISTS /usr/include/nlohmann/json.hpp)
  tallyer_header_only_package(nlohmann_json nlohmann_json::nlohmann_json nlohmann)
endif()

if(TALLYER_BUILD_TESTS AND NOT TARGET GTest::gtest)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
  # find_package(GTest) finds the targets above.
  set(GTest_FOUND TRUE)
  file(WRITE "${_deps}/GTest/lib/cmake/GTest/GTestConfig.cmake" "")
  list(APPEND CMAKE_FIND_ROOT_PATH "${_deps}/GTest")
endif()
