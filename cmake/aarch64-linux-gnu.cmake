# Cross-compiling for 64-bit ARM Linux (Debian 12 arm64, as Raspberry Pi OS 64-bit is) on a Debian
# amd64 machine with multiarch: crossbuild-essential-arm64 and the -dev packages as NAME:arm64.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
# Packages are found under /usr/lib/aarch64-linux-gnu (cmake/, pkgconfig/), where multiarch puts
# the arm64 libraries; the build machine's own amd64 ones beside them are never picked.
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
# moc, rcc and uic run on the build machine: Debian's qt6-base-dev-tools of the same version.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
# ctest runs the arm64 test programs through Debian's qemu-user; the arm64 loader and libraries
# are installed where qemu looks for them, so it needs no -L.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
# The Debian package is for the machine the programs run on.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
