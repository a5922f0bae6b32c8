# The Debian package: kvxzot_<version>_<arch>.deb, built with `cpack` in the
# build folder. Library dependencies come from dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvxzot)
set(CPACK_PACKAGE_VENDOR "Varnholt")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming application for KVX handheld two-way radios")
set(CPACK_PACKAGE_DESCRIPTION
  "KVX JUB ZOT reads a KVX radio's configuration over its serial programming
cable into a profile, edits contacts, scroll and scan lists, text messages
and settings under the radio model's rules, saves and opens profile files,
writes profiles back into radios and prints reports.
.
The package holds the windowed program kvxzot, the command-line tool
kvxzot-cli for batch work and kvxzot-radiosim, a simulated radio for trying
the programs without hardware.")
set(CPACK_PACKAGE_CONTACT "KVX JUB ZOT maintainers <kvxzot@varnholt.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt Help reads the compiled help through Qt SQL's SQLite driver, a plugin
# that no library dependency shows; CPack adds this to what shlibdeps finds.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
# Loaded at run time, so no library dependency shows them: Qt's own dialog
# texts in the user's language, and the native platform of Wayland desktops.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/debian/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# The machine configuration is written for the final prefix, so the package
# is staged with DESTDIR under /usr rather than under a staging prefix.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
