# The Debian package: `cpack -G DEB` in a configured build tree, after the
# programs and the shipped folders are built (scripts/package.sh does both).
set(CPACK_PACKAGE_NAME keepsake)
set(CPACK_PACKAGE_VENDOR "Keepsake")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal knowledge manager with a category tree")
set(CPACK_PACKAGE_DESCRIPTION
  "Keepsake keeps notes, documents, code files and saved web pages as materials, \
each in a folder of its own, filed in a three-level category tree of a knowledge \
base. It finds materials by name, keyword, creation time or file content and \
browses the web beside them. The interface is in Chinese. keepsake-cli scripts \
the same bases from the command line.")
set(KEEPSAKE_PACKAGE_MAINTAINER "Keepsake maintainers <keepsake@example.org>"
  CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${KEEPSAKE_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KEEPSAKE_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# keepsake_<version>_<arch>.deb, the name Debian's own tools give a package.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)

# dpkg-shlibdeps finds the libraries the programs link (and, through the
# web engine's own list, its helper process); it cannot see what Qt loads at
# run time or what the program only reads: the SVG icon plugin, the icon
# theme of the commands, the Chinese font and Qt's own Chinese texts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6svg6, breeze-icon-theme, fonts-wqy-microhei, qt6-translations-l10n")

include(CPack)
