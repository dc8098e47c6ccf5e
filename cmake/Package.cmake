# `cpack -G DEB` in the build folder makes cueflight_<version>_<arch>.deb from
# what cmake/Install.cmake installs, under /usr. Its dependencies come from
# the binaries (dpkg-shlibdeps), so they follow whatever the build linked.

set(CPACK_PACKAGE_NAME cueflight)
set(CPACK_PACKAGE_VENDOR "The cueflight developers")
set(CPACK_PACKAGE_CONTACT "The cueflight developers <dev@cueflight.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "rhythm game: fly through space with the music and hit each cue on its beat")
set(CPACK_PACKAGE_DESCRIPTION
    "One song plays while the camera flies a path through space in step with
the music. Rusty spheres sit along the path; each is announced ahead of its
moment, and you click it on the beat to blow it up. At the end the game shows
your accuracy and a rating.

Any song becomes a level: cueflight-chart finds its beats and its drum hits
and writes a chart for it. cueflight-chart links aubio and is therefore
licensed under the GNU GPL version 3; the game itself does not link it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://cueflight.org")
# The shared Mesa drivers give the game its OpenGL; libGL alone only loads them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
set(CPACK_GENERATOR DEB)
include(CPack)
