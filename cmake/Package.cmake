# The Debian package (cpack -G DEB, which scripts/package.sh runs on a release build): what
# cmake/Install.cmake installs, under /usr.
if(NOT TARGET tickora)
  return()
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tickora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tickora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "round analog clock that floats above all windows")
# Lines as the control file shows them (at most 80 columns); a blank line separates paragraphs.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Tickora shows a round analog clock on the desktop: borderless, always on top"
  "and translucent. The face, its rim light, the hour markers or numerals and"
  "the hands are drawn afresh at every tick from built-in pictures, in fifteen"
  "skins and twenty-two dial styles."
  ""
  "The clock can be dragged anywhere, lets clicks through where it is"
  "transparent, and keeps its settings between runs. Its tray icon (or, without"
  "a tray, the clock itself) leads to the settings and can make the clock start"
  "at login. It needs an X11 display; on Wayland it runs through XWayland.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TICKORA_MAINTAINER})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A cross build's package is for the machine it was built for (arm64 from cmake/aarch64-linux-gnu.cmake),
# not for the one that built it.
if(CMAKE_CROSSCOMPILING AND CMAKE_LIBRARY_ARCHITECTURE)
  execute_process(COMMAND dpkg-architecture --host-type ${CMAKE_LIBRARY_ARCHITECTURE} --query DEB_HOST_ARCH
                  OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; Qt loads its X11 plugin at run time, which no scan finds.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# The settings window's font; fontconfig finds another where it is missing.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Not the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
