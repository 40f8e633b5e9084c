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
endif()
