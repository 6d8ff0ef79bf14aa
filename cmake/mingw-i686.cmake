# Cross toolchain: MinGW-w64 for 32-bit Windows, with Wine to run what it builds.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# CTest runs the Windows test executables through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
