# Cross-compiles for 64-bit ARM Linux (Raspberry Pi OS, Debian arm64) on a Debian amd64 machine with
# the arm64 libraries installed beside the native ones (multiarch); programs and tests run under
# qemu-user. scripts/build-arm64.sh installs what this needs.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(TICKORA_CROSS_TRIPLE aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${TICKORA_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${TICKORA_CROSS_TRIPLE}-g++)
# The arm64 libraries live in /usr/lib/aarch64-linux-gnu and their headers under /usr/include: the
# root stays /, and the library architecture keeps the native ones out of every search.
set(CMAKE_LIBRARY_ARCHITECTURE ${TICKORA_CROSS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${TICKORA_CROSS_TRIPLE}/pkgconfig:/usr/share/pkgconfig)

# moc and the other Qt tools are the native ones.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# libc6:arm64 puts the arm64 loader at its own path, so qemu needs no prefix to find it.
find_program(TICKORA_QEMU NAMES qemu-aarch64-static)
if(TICKORA_QEMU)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TICKORA_QEMU})
endif()
