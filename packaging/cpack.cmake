# Packaging: `cpack -G DEB` in the build directory makes a Debian package of
# everything `cmake --install` puts in place.

set(PYRAMID_PACKAGE_MAINTAINER "jinko-pyramid maintainers <maintainers@jinko-pyramid.invalid>"
    CACHE STRING "Maintainer field of the Debian package")

# Debian package names may not contain underscores, unlike the project name.
set(CPACK_PACKAGE_NAME jinko-pyramid)
set(CPACK_PACKAGE_VENDOR "The jinko-pyramid authors")
set(CPACK_PACKAGE_CONTACT "${PYRAMID_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "draws a region's population pyramid and analyses age ranges (Japanese UI)")
set(CPACK_PACKAGE_DESCRIPTION
    "A Japanese-language desktop tool that draws the population pyramid of one
region from a small plain-text data file (men left, women right, decade rows
in their own colour, the surplus of one sex in each age as a line) and
reports, for an age range typed in, its share of the total, male and female
populations, its male/female ratio and its totals. It writes nothing to disk.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PYRAMID_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the program links (Qt, the C++ runtime) come from
# dpkg-shlibdeps; what it loads or draws with at run time is named here: the
# IPA fonts the window is designed in, Qt's Japanese translations for the
# standard dialogs and Qt's Wayland platform plugin, without which the
# program cannot start on a Wayland desktop that has no X server.
find_program(PYRAMID_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(PYRAMID_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho, fonts-ipafont-gothic, qt6-translations-l10n, qt6-wayland")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), fonts-ipafont-mincho, fonts-ipafont-gothic, qt6-translations-l10n, qt6-wayland")
endif()

include(CPack)
