# The Windows program: the same core, a shell on the Win32 API, no Qt. Cross-built with MinGW-w64 by
# scripts/build-windows.sh; the tests run under Wine.
add_compile_definitions(NOMINMAX _WIN32_WINNT=0x0601)

file(GLOB TICKORA_WIN32_SOURCES CONFIGURE_DEPENDS platform/win32/*.cpp)
list(REMOVE_ITEM TICKORA_WIN32_SOURCES ${CMAKE_SOURCE_DIR}/platform/win32/WinMain.cpp
     ${CMAKE_SOURCE_DIR}/platform/win32/DrawingSurfaceGdiplus.cpp)
add_library(tickora_win32 STATIC ${TICKORA_WIN32_SOURCES})
target_include_directories(tickora_win32 PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(tickora_win32 PRIVATE ${TICKORA_WARNINGS})
target_compile_definitions(tickora_win32 PRIVATE TICKORA_VERSION="${PROJECT_VERSION}")
target_link_libraries(tickora_win32 PUBLIC tickora_settings_window comctl32 gdiplus gdi32 user32 shell32 advapi32)

# Each program's icon and version resource, from platform/win32/VersionInfo.rc.in. The copyright line
# and the publisher come from LICENSE.
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE TICKORA_COPYRIGHT REGEX "^Copyright \\(c\\) " LIMIT_COUNT 1)
string(REGEX REPLACE "^Copyright \\(c\\) " "" TICKORA_COPYRIGHT "${TICKORA_COPYRIGHT}")
string(REGEX REPLACE "^[0-9, -]+" "" TICKORA_PUBLISHER "${TICKORA_COPYRIGHT}")
if(NOT TICKORA_PUBLISHER)
  message(FATAL_ERROR "LICENSE names no copyright holder")
endif()
set(TICKORA_VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
set(TICKORA_ICON ${CMAKE_SOURCE_DIR}/platform/win32/tickora.ico)
function(tickora_version_resource target description)
  set(TICKORA_FILE_NAME ${target}.exe)
  set(TICKORA_FILE_DESCRIPTION ${description})
  set(resource ${CMAKE_BINARY_DIR}/generated/${target}-version.rc)
  configure_file(${CMAKE_SOURCE_DIR}/platform/win32/VersionInfo.rc.in ${resource} @ONLY)
  target_sources(${target} PRIVATE ${resource})
  set_source_files_properties(${resource} PROPERTIES OBJECT_DEPENDS ${TICKORA_ICON})
endfunction()

file(GLOB TICKORA_WIN32_RESOURCES CONFIGURE_DEPENDS platform/win32/*.rc)
add_executable(tickora WIN32 platform/win32/WinMain.cpp ${TICKORA_WIN32_RESOURCES})
target_compile_options(tickora PRIVATE ${TICKORA_WARNINGS})
target_link_libraries(tickora PRIVATE tickora_win32)
tickora_version_resource(tickora "Tickora analog clock")

file(GLOB TICKORA_RENDER_SOURCES CONFIGURE_DEPENDS tools/render/*.cpp)
list(FILTER TICKORA_RENDER_SOURCES EXCLUDE REGEX "tools/render/RenderGallery\\.cpp$")
add_executable(tickora-render ${TICKORA_RENDER_SOURCES})
tickora_version_resource(tickora-render "Tickora picture renderer")
target_compile_options(tickora-render PRIVATE ${TICKORA_WARNINGS})
target_link_libraries(tickora-render PRIVATE tickora_fullscreen)

# What is handed out (scripts/package-windows.sh): the program stripped, in a portable zip with the README
# and the licence ("portable"), and in the installer ("installer", where NSIS's makensis is installed).
set(TICKORA_DIST ${CMAKE_BINARY_DIR}/dist)
set(TICKORA_PORTABLE tickora-${PROJECT_VERSION}-win64)
set(TICKORA_DIST_PROGRAM ${TICKORA_DIST}/${TICKORA_PORTABLE}/tickora.exe)
add_custom_command(
  OUTPUT ${TICKORA_DIST_PROGRAM}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TICKORA_DIST}/${TICKORA_PORTABLE}
  COMMAND ${CMAKE_STRIP} -o ${TICKORA_DIST_PROGRAM} $<TARGET_FILE:tickora>
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/README.md ${TICKORA_DIST}/${TICKORA_PORTABLE}/README.md
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${TICKORA_DIST}/${TICKORA_PORTABLE}/LICENSE.txt
  DEPENDS tickora ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE
  COMMENT "Stripping the program for handing out"
  VERBATIM)
set(TICKORA_ZIP ${CMAKE_BINARY_DIR}/${TICKORA_PORTABLE}.zip)
add_custom_command(
  OUTPUT ${TICKORA_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${TICKORA_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${TICKORA_ZIP} --format=zip ${TICKORA_PORTABLE}
  WORKING_DIRECTORY ${TICKORA_DIST}
  DEPENDS ${TICKORA_DIST_PROGRAM}
  COMMENT "Writing ${TICKORA_PORTABLE}.zip"
  VERBATIM)
add_custom_target(portable DEPENDS ${TICKORA_ZIP})

find_program(TICKORA_MAKENSIS makensis)
if(TICKORA_MAKENSIS)
  set(TICKORA_SETUP ${CMAKE_BINARY_DIR}/tickora-setup-${PROJECT_VERSION}.exe)
  set(nsis_options -V2)
  if(TICKORA_WERROR)
    list(APPEND nsis_options -WX)
  endif()
  add_custom_command(
    OUTPUT ${TICKORA_SETUP}
    COMMAND ${TICKORA_MAKENSIS} ${nsis_options} -DVERSION=${PROJECT_VERSION} "-DPUBLISHER=${TICKORA_PUBLISHER}"
            "-DCOPYRIGHT=${TICKORA_COPYRIGHT}" -DPROGRAM=${TICKORA_DIST_PROGRAM} -DLICENSE_FILE=${CMAKE_SOURCE_DIR}/LICENSE
            -DICON=${TICKORA_ICON} -DOUTFILE=${TICKORA_SETUP} ${CMAKE_SOURCE_DIR}/packaging/windows/tickora.nsi
    DEPENDS ${TICKORA_DIST_PROGRAM} ${CMAKE_SOURCE_DIR}/packaging/windows/tickora.nsi ${TICKORA_ICON}
    COMMENT "Writing tickora-setup-${PROJECT_VERSION}.exe"
    VERBATIM)
  add_custom_target(installer DEPENDS ${TICKORA_SETUP})
endif()

if(TICKORA_BUILD_TESTS)
  tickora_tests(model tickora_model)
  tickora_tests(skins tickora_skins)
  tickora_tests(raster tickora_drawing)
  tickora_tests(Clocks tickora_clocks)
  tickora_tests(FullScreen tickora_fullscreen)
  tickora_tests(Settings tickora_settings_window)
  tickora_tests(win32 tickora_win32)
  # They read the two programs' resources.
  add_dependencies(test_win32 tickora tickora-render)
  target_compile_definitions(test_win32 PRIVATE TICKORA_VERSION="${PROJECT_VERSION}")
  target_link_libraries(test_win32 PRIVATE version)
  # A captionless window covering the monitor, and a clock still starting, for the desktop test under Wine.
  add_executable(test-fullscreen WIN32 tests/windows/fullscreen.cpp)
endif()
