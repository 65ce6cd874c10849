# Cross-builds the 32-bit Windows product with Debian's MinGW-w64 (posix threads variant).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(UPDATER_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
