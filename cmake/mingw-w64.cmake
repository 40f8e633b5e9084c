# Cross-compiles for 64-bit Windows with MinGW-w64 on Debian; tests run under Wine.
# Libraries built for the target (libjpeg-turbo, GoogleTest) are found in CMAKE_PREFIX_PATH.
set(CMAKE_SYSTEM_NAME Windows)
# libjpeg-turbo picks its SIMD code from this.
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TICKORA_MINGW_TRIPLE x86_64-w64-mingw32)
# The -posix variants: the -win32 ones have no std::thread or std::mutex.
set(CMAKE_C_COMPILER ${TICKORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TICKORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TICKORA_MINGW_TRIPLE}-windres)

# Paths given in CMAKE_PREFIX_PATH are roots too, or ONLY mode would look for them under the sysroot.
set(CMAKE_FIND_ROOT_PATH /usr/${TICKORA_MINGW_TRIPLE} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No MinGW DLLs to ship or to put on Wine's path: the C, C++ and thread runtimes go into the exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Debian's wine launcher falls back to the 64-bit loader (package wine64) when wine32 is absent.
find_program(TICKORA_WINE NAMES wine)
if(TICKORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TICKORA_WINE})
endif()
