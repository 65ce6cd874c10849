# Compiler and linker options of every target: included before the first one is created, since
# a target takes the directory's options, and the MSVC runtime, when it is made.
if(MSVC)
    add_compile_options(/W4 /permissive- /utf-8)
else()
    add_compile_options(-Wall -Wextra)
endif()

if(WIN32)
    # No runtime DLL: the updater is one file that runs on a bare system. Every executable is
    # Terminal-Server aware and keeps ASLR (with its relocations) and DEP. Two builds of the same
    # sources give the same bytes: no link time stamp, no build folder in the code.
    if(MINGW)
        add_compile_options(-ffunction-sections -fdata-sections
                            -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                            -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
        add_link_options(-static -Wl,--gc-sections -s
                         -Wl,--tsaware,--dynamicbase,--nxcompat,--no-insert-timestamp)
    elseif(MSVC)
        set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
        # The manifest comes from resources/Updater.rc, not from the linker.
        add_link_options(/MANIFEST:NO /TSAWARE /DYNAMICBASE /NXCOMPAT /Brepro)
    endif()
endif()
