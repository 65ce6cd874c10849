# Cross-builds the 32-bit Windows product with clang, on the C and C++ runtime of Debian's
# MinGW-w64 (posix threads variant), linked by lld: a second compiler and linker for the same
# target as mingw-i686.cmake.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(UPDATER_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${UPDATER_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${UPDATER_TRIPLE})
set(CMAKE_RC_COMPILER ${UPDATER_TRIPLE}-windres)
set(CMAKE_AR ${UPDATER_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${UPDATER_TRIPLE}-ranlib CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${UPDATER_TRIPLE}-objdump CACHE FILEPATH "")
set(CMAKE_SYSROOT /usr/${UPDATER_TRIPLE})

# Clang does not recognise Debian's GCC folder ("12-posix") as a version, so it finds neither
# libstdc++ nor GCC's crtbegin.o, which registers the DWARF unwind tables exceptions need on
# i686: both come from the folder the MinGW GCC itself reports. The sysroot keeps the host's
# own headers out.
execute_process(COMMAND ${UPDATER_TRIPLE}-gcc-posix -print-libgcc-file-name
    OUTPUT_VARIABLE UPDATER_LIBGCC OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(UPDATER_GCC_DIR "${UPDATER_LIBGCC}" DIRECTORY)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
    ${UPDATER_GCC_DIR}/include/c++
    ${UPDATER_GCC_DIR}/include/c++/${UPDATER_TRIPLE}
    ${UPDATER_GCC_DIR}/include/c++/backward)
# -pthread: the posix variant's runtime needs winpthread, which GCC links without being asked.
set(UPDATER_LINK_FLAGS "-fuse-ld=lld -B${UPDATER_GCC_DIR} -L${UPDATER_GCC_DIR} -pthread")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${UPDATER_LINK_FLAGS}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${UPDATER_LINK_FLAGS}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${UPDATER_LINK_FLAGS}")

set(CMAKE_FIND_ROOT_PATH /usr/${UPDATER_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests of Windows binaries run under Wine, in a prefix of the build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
