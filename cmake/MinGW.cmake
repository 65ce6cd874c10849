# Cross-builds with Debian's MinGW-w64 GCC (posix threads variant) for the target that
# UPDATER_TRIPLE names; included by the toolchain file of each target.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${UPDATER_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${UPDATER_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${UPDATER_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${UPDATER_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests of Windows binaries run under Wine, in a prefix of the build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
