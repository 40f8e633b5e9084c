# Installs the program's desktop entry and icons where desktops look for them (XDG data directories).
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
