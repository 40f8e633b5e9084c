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

file(GLOB TICKORA_WIN32_RESOURCES CONFIGURE_DEPENDS platform/win32/*.rc)
add_executable(tickora WIN32 platform/win32/WinMain.cpp ${TICKORA_WIN32_RESOURCES})
target_compile_options(tickora PRIVATE ${TICKORA_WARNINGS})
target_link_libraries(tickora PRIVATE tickora_win32)

file(GLOB TICKORA_RENDER_SOURCES CONFIGURE_DEPENDS tools/render/*.cpp)
list(FILTER TICKORA_RENDER_SOURCES EXCLUDE REGEX "tools/render/RenderGallery\\.cpp$")
add_executable(tickora-render ${TICKORA_RENDER_SOURCES})
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
endif()
