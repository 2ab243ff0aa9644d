# The Debian package "mvfinder" (make package): everything installed, under /usr, with its
# dependencies worked out by dpkg-shlibdeps from the programs and the library, and the
# documents Debian asks of every package. One package: a desktop program that brings its
# own library, its header and manual pages.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/mvfinder)

# The changelog in Debian's format, compressed as Debian keeps it.
execute_process(COMMAND date -R -u -d "${MVF_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE MVF_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(debian/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
add_custom_command(
    OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
    COMMAND gzip -9nkf ${CMAKE_CURRENT_BINARY_DIR}/changelog
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog
    VERBATIM)
add_custom_target(mvf_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES debian/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mvfinder)
set(CPACK_PACKAGE_VENDOR Korvath)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop file finder, text viewer and pattern engine")
set(CPACK_PACKAGE_DESCRIPTION
    "Morvel Vantor Finder lives in the system tray: describe a search with file
masks, an optional content expression, size and date filters and the folders
to look in, and watch the hits arrive; open, delete, trash, save and reload
them.

The package holds the finder (MVFinder), its multi-document text viewer
(vantorviewer), the finder's search from a shell (mvfind), a grep over the
pattern engine (hgrep), and the engine itself as a shared library with its C
header, pkg-config file and CMake package.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Korvath <support@korvath.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${MVF_HOME_PAGE_ADDRESS})
# The libraries the programs link come from dpkg-shlibdeps; what they load or read at run
# time is named here: Qt's platform plugins (the windows) and the MIME database (a file's
# type, for "open").
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, shared-mime-info")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# The library's shlibs file, and the loader's cache refreshed through dpkg's trigger. No
# maintainer scripts: CPack would add a postinst and a postrm calling ldconfig, and a
# package with a postrm stays listed (config-files) after `apt-get remove`. Naming
# scripts that are not there keeps CPack from writing its own.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/debian/triggers
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/none/postinst ${CMAKE_CURRENT_SOURCE_DIR}/debian/none/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
