# `cpack -G DEB` in a build folder makes the Debian package of what cmake/Install.cmake installs
# (tools/build-deb.sh does it from a fresh Release build). Depends comes from dpkg-shlibdeps,
# so it names exactly the libraries the programs link against, in the versions they need.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME noctaris)
set(CPACK_PACKAGE_VENDOR "Noctaris developers")
set(CPACK_PACKAGE_CONTACT "${NOCTARIS_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop planetarium for one observer")
# Extended description: Debian wants lines under 80 columns; CPack indents each one.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Noctaris draws the sky over a chosen place and local time: stars coloured by"
  "spectral class, constellation figures, borders and names, the Sun, the Moon"
  "with its phase and the planets Mercury to Uranus, above a horizon silhouette."
  "The chart can be turned, animated, kept on the computer's clock and clicked"
  "to identify a star or body."
  ""
  "Information windows compute the Moon and Sun parameters and planet"
  "ephemerides, and show a moon phase calendar, a yearly astronomical calendar,"
  "a plan of the planetary orbits and a day and night world map. The companion"
  "program noctaris-cli renders charts and prints the reports without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${NOCTARIS_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${NOCTARIS_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
