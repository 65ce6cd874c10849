# The same sources for 64-bit Windows: never shipped, but 64-bit Wine runs them on machines whose
# kernel cannot run 32-bit programs, and so Wine's 32-bit loader.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(UPDATER_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
