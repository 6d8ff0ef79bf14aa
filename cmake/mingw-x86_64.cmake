# Cross toolchain: MinGW-w64 for 64-bit Windows, with 64-bit Wine to run what it
# builds. Used only for the tests: on machines that cannot run 32-bit programs,
# or when PINTAFLUX_WINDOWS_BITS=64 asks for it.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# CTest runs the Windows test executables through 64-bit Wine, which Debian
# keeps out of PATH.
find_program(PINTAFLUX_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(PINTAFLUX_WINE64 NAMES wine64)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PINTAFLUX_WINE64})
