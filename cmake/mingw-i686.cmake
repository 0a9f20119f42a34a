# Cross-compiling Stonecall as a 32-bit Windows program with Debian's MinGW-w64
# (g++-mingw-w64-i686): cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(STONECALL_MINGW i686-w64-mingw32)
set(CMAKE_C_COMPILER ${STONECALL_MINGW}-gcc)
set(CMAKE_CXX_COMPILER ${STONECALL_MINGW}-g++)
set(CMAKE_RC_COMPILER ${STONECALL_MINGW}-windres)

# Headers and libraries come from the MinGW tree only, programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${STONECALL_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
