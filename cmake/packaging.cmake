# Packages made by cpack (scripts/package): on a Windows cross-build the zip
# of tallyer-cli.exe, on Linux the Debian package of both programs. Each
# carries the licence texts of what is linked into its executables.
set(CPACK_PACKAGE_NAME tallyer)
set(CPACK_PACKAGE_VENDOR "The Tallyer authors")
set(CPACK_PACKAGE_CONTACT "The Tallyer authors <tallyer@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Planwell 集計ツール: tallies the scheduled time of a Planwell group")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # What is linked into tallyer-cli.exe, each with its licence text: the GCC
  # runtime (its library exception), MinGW-w64's runtime and winpthreads, zlib,
  # libxlsxwriter with its bundled minizip and tmpfileplus, and the header-only
  # CLI11 and, where the build uses it, nlohmann-json.
  set(licenses
      "/usr/share/doc/gcc-mingw-w64-base/copyright|gcc-runtime-library-exception.txt"
      "/usr/share/doc/mingw-w64-x86-64-dev/copyright|mingw-w64-and-winpthreads.txt"
      "/usr/share/doc/libz-mingw-w64-dev/copyright|zlib.txt"
      "${TALLYER_WINDOWS_DEPS}/share/licenses/libxlsxwriter/License.txt|libxlsxwriter-minizip-tmpfileplus.txt"
      "/usr/share/doc/libcli11-dev/copyright|CLI11.txt")
  if(EXISTS /usr/include/nlohmann/json.hpp)
    list(APPEND licenses "/usr/share/doc/nlohmann-json3-dev/copyright|nlohmann-json.txt")
  endif()
  foreach(entry IN LISTS licenses)
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 from)
    list(GET entry 1 to)
    if(NOT EXISTS "${from}")
      message(FATAL_ERROR "The licence text ${from} is missing: a package would ship without it")
    endif()
    install(FILES "${from}" DESTINATION licenses RENAME "${to}" COMPONENT cli)
  endforeach()
  # Texts for Notepad: CRLF line ends, and a byte order mark so that an older
  # Notepad on a Japanese system does not read the UTF-8 as CP932.
  string(ASCII 239 187 191 bom)
  foreach(text "LICENSE|LICENSE.txt" "packaging/windows/README.txt|README.txt")
    string(REPLACE "|" ";" text "${text}")
    list(GET text 0 from)
    list(GET text 1 to)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${from}")
    file(READ "${PROJECT_SOURCE_DIR}/${from}" content)
    string(REPLACE "<version>" "${PROJECT_VERSION}" content "${content}")
    string(REPLACE "\r\n" "\n" content "${content}")
    string(REPLACE "\n" "\r\n" content "${content}")
    file(WRITE "${PROJECT_BINARY_DIR}/packaging/${to}" "${bom}${content}")
    install(FILES "${PROJECT_BINARY_DIR}/packaging/${to}" DESTINATION . COMPONENT cli)
  endforeach()
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "tallyer-${PROJECT_VERSION}-windows-x64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  # The copyright file of the package: this program's licence, then those of
  # the header-only libraries compiled into it (the shared ones bring their own).
  set(copyright "${PROJECT_BINARY_DIR}/packaging/copyright")
  file(READ "${PROJECT_SOURCE_DIR}/LICENSE" text)
  file(WRITE "${copyright}" "Tallyer (Planwell 集計ツール) is released under the MIT licence:\n\n${text}")
  foreach(library "CLI11|libcli11-dev" "nlohmann-json|nlohmann-json3-dev")
    string(REPLACE "|" ";" library "${library}")
    list(GET library 0 name)
    list(GET library 1 package)
    if(EXISTS "/usr/share/doc/${package}/copyright")
      file(READ "/usr/share/doc/${package}/copyright" text)
      file(APPEND "${copyright}" "\n\n---- ${name}, compiled in (Debian's ${package}) ----\n\n${text}")
    endif()
  endforeach()
  install(FILES "${copyright}" DESTINATION share/doc/tallyer)
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tallyer_<version>_amd64.deb
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  # The package's long description; cpack puts the summary above it.
  string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Reads the files of the Planwell groupware scheduler (a group file, its month\n"
      "files, a type colour file) and tells how much scheduled time each member of a\n"
      "group had over a period: in total, per colour, per type or per content text.\n"
      "The desktop program (tallyer) and the command line (tallyer-cli) write CSV,\n"
      "HTML, JSON, workbook and summary page reports.")
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # What no linker sees: Qt's platform plugins, without which the window
  # cannot open (libqt6gui6 only recommends them), and Qt's Japanese texts for
  # its dialogs; fonts and the browser opener are welcome but not needed.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, xdg-utils")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
include(CPack)
