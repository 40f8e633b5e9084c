# Installs the program's desktop entry and icons where desktops look for them (XDG data directories),
# its manual page, its AppStream description, the licence and the changelog.
include(GNUInstallDirs)
install(FILES ${CMAKE_SOURCE_DIR}/share/applications/tickora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# share/icons/hicolor/<size>/apps/tickora.png: frames from tickora-render (10:08:36, opaque face,
# size step 50), scaled down; up to 48 px the plain round dial without markers, which stays legible.
file(GLOB TICKORA_ICONS RELATIVE ${CMAKE_SOURCE_DIR}/share/icons
     ${CMAKE_SOURCE_DIR}/share/icons/hicolor/*/apps/tickora.png)
foreach(icon ${TICKORA_ICONS})
  get_filename_component(dir ${icon} DIRECTORY)
  install(FILES ${CMAKE_SOURCE_DIR}/share/icons/${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/${dir})
endforeach()

# The release history lives in the AppStream description and the changelog; both must name this
# version, and the manual page takes its date from there.
# tickora_newest_version(FILE PATTERN WHAT): FILE's first match of PATTERN names this version in its
# first group. Leaves FILE's text in TICKORA_NEWEST_TEXT and the match's second group in
# TICKORA_NEWEST_SECOND.
function(tickora_newest_version file pattern what)
  file(READ ${file} text)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${file} lists no ${what}")
  endif()
  if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "The newest ${what} in ${file} is ${CMAKE_MATCH_1}, not ${PROJECT_VERSION}")
  endif()
  set(TICKORA_NEWEST_TEXT "${text}" PARENT_SCOPE)
  set(TICKORA_NEWEST_SECOND "${CMAKE_MATCH_2}" PARENT_SCOPE)
endfunction()
set(TICKORA_METAINFO_IN ${CMAKE_SOURCE_DIR}/share/metainfo/${TICKORA_APPSTREAM_ID}.metainfo.xml.in)
tickora_newest_version(${TICKORA_METAINFO_IN} "<release version=\"([^\"]+)\" date=\"([0-9-]+)\"" release)
set(TICKORA_RELEASE_DATE ${TICKORA_NEWEST_SECOND})
tickora_newest_version(${CMAKE_SOURCE_DIR}/packaging/changelog "^tickora \\(([^)]+)\\) " entry)
set(changelog "${TICKORA_NEWEST_TEXT}")
# Whoever signed the newest entry maintains the package. Debian's Maintainer field must hold an address;
# the signature's lies under .invalid, the top-level domain reserved never to resolve (RFC 2606), so
# that it promises no mailbox: mail to it fails at the sender instead of waiting unread somewhere.
if(NOT changelog MATCHES "\n -- ([^\n]+>)  ")
  message(FATAL_ERROR "The newest entry in packaging/changelog has no signature line")
endif()
set(TICKORA_MAINTAINER ${CMAKE_MATCH_1})

# The licence as Debian's machine-readable copyright file wants it: the notice's lines indented,
# blank lines as " .".
file(READ ${CMAKE_SOURCE_DIR}/LICENSE licence)
if(NOT licence MATCHES "Copyright \\(c\\) ([^\n]+)\n\n(Permission is hereby granted.*[^\n])\n*$")
  message(FATAL_ERROR "LICENSE is not the MIT licence this build knows how to describe")
endif()
set(TICKORA_COPYRIGHT ${CMAKE_MATCH_1})
string(REPLACE "\n\n" "\n.\n" TICKORA_LICENCE_TEXT "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " TICKORA_LICENCE_TEXT " ${TICKORA_LICENCE_TEXT}")

set(generated ${CMAKE_BINARY_DIR}/share)
configure_file(${TICKORA_METAINFO_IN} ${generated}/${TICKORA_APPSTREAM_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/share/man/tickora.1.in ${generated}/tickora.1 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/copyright.in ${generated}/copyright @ONLY)
# A package with no upstream apart from itself keeps its changelog as changelog.gz.
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog ${generated}/changelog COPYONLY)
# gzip -n: no name and no time stamp in the header, so the same sources give the same bytes.
find_program(GZIP_PROGRAM gzip REQUIRED)
add_custom_command(
  OUTPUT ${generated}/tickora.1.gz ${generated}/changelog.gz
  COMMAND ${GZIP_PROGRAM} -9nkf ${generated}/tickora.1 ${generated}/changelog
  DEPENDS ${generated}/tickora.1 ${generated}/changelog
  COMMENT "Compressing the manual page and the changelog")
add_custom_target(tickora_documents ALL DEPENDS ${generated}/tickora.1.gz ${generated}/changelog.gz)

install(FILES ${generated}/tickora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${generated}/${TICKORA_APPSTREAM_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${generated}/copyright ${generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tickora)
# A stripped program (cmake --install --strip, the package) keeps no compiler notes either.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
                          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/tickora\" COMMAND_ERROR_IS_FATAL ANY)
endif()")
