# `cpack -G DEB` in a configured build tree makes korvane_VERSION_ARCH.deb of
# what `cmake --install` installs, under /usr; dpkg-shlibdeps finds the
# libraries it depends on.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VENDOR "The Korvane developers")
set(CPACK_PACKAGE_CONTACT "The Korvane developers <korvane@users.noreply.github.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/korvane/korvane")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "animations and logos for monochrome phone displays")
# The summary heads the package's description; this text follows it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Korvane turns an animated GIF into a BMX strip (a 1-bit BMP holding four
frames stacked one under the other) and a BMX strip or any BMP back into a
looping animated GIF. Its Logo editor is a zoomed pixel editor for the
picture sizes that phones use.

The command-line tool korvane-cli does the same conversions without windows.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/package")
include(CPack)
