# What a cross-build for Windows takes from Debian besides the MinGW tree:
# header-only libraries (by their headers alone, never the host's include
# folder, which holds glibc's headers) and GoogleTest built from its sources.
set(_deps "${CMAKE_BINARY_DIR}/host-headers")

# Executables are linked statically: a library is taken from its archive,
# never from its DLL's import library (libz.dll.a would make tallyer-cli.exe
# need zlib1.dll, which Wine happens to have and Windows does not). An import
# library found by an earlier configuration is looked for again.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
get_cmake_property(_cached CACHE_VARIABLES)
foreach(_var IN LISTS _cached)
  if(_var MATCHES "^pkgcfg_lib_|_LIBRARY(_RELEASE)?$" AND "${${_var}}" MATCHES "\\.dll\\.a$")
    unset(${_var} CACHE)
  endif()
endforeach()

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
