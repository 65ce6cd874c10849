# The Windows product: the updater executable, its resources and the stand-in program it carries.
set(UPDATER_EXE_NAME "ActualizareCalvex.exe")
include(${CMAKE_CURRENT_LIST_DIR}/VersionInfo.cmake)

# The compiler and linker options are set for every target in ProductOptions.cmake.

add_library(win32_os STATIC
    os/win32/CodePageConversion.cpp
    os/win32/DllSearchHardening.cpp
    os/win32/Win32OsServices.cpp)
target_link_libraries(win32_os PUBLIC updater_engine)

add_subdirectory(tests/standin)

if(UPDATER_PAYLOAD STREQUAL "")
    set(UPDATER_PAYLOAD_FILE "${CMAKE_BINARY_DIR}/standin/new/ZentorCalvex.exe")
else()
    set(UPDATER_PAYLOAD_FILE "${UPDATER_PAYLOAD}")
endif()

# The carried executable: type "AF", name "UPGRADE", Romanian (1048), bytes unchanged.
function(updater_payload_rc output payload)
    file(GENERATE OUTPUT ${output}
        CONTENT "LANGUAGE 0x18, 0x01\nUPGRADE AF \"${payload}\"\n")
    set_source_files_properties(${output} PROPERTIES GENERATED TRUE OBJECT_DEPENDS "${payload}")
endfunction()
updater_payload_rc(${CMAKE_BINARY_DIR}/Payload.rc "${UPDATER_PAYLOAD_FILE}")

add_subdirectory(ui)

# The updater without its payload; tests use it, and it is what the real one is made from.
function(add_updater target)
    add_executable(${target} WIN32 app/Main.cpp app/RunningUpdater.cpp resources/Updater.rc
        resources/Dialog.rc ${ARGN})
    target_link_libraries(${target} PRIVATE updater_ui win32_os)
    # Its version is the carried build's: one configure value gives both.
    add_version_info(${target} "${UPDATER_CARRIED_VERSION}" "Actualizare Zentor - Calvex"
                     "${UPDATER_EXE_NAME}")
    if(MINGW)
        target_sources(${target} PRIVATE app/TerminateHandler.cpp app/LibraryErrors.cpp)
        # Page-aligned sections in the file: Wine maps the carried build straight from the
        # file only then, instead of copying ten megabytes into private memory at load.
        target_link_options(${target} PRIVATE -Wl,--file-alignment,4096)
    endif()
    set_source_files_properties(resources/Updater.rc PROPERTIES
        OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/resources/Updater.manifest)
    set(pictures Information Confirmation Warning Error)
    list(TRANSFORM pictures PREPEND ${PROJECT_SOURCE_DIR}/resources/dialog/)
    list(TRANSFORM pictures APPEND .bmp)
    set_source_files_properties(resources/Dialog.rc PROPERTIES OBJECT_DEPENDS "${pictures}")
endfunction()

add_updater(updater ${CMAKE_BINARY_DIR}/Payload.rc)
set_target_properties(updater PROPERTIES OUTPUT_NAME ActualizareCalvex)

# For tests only, never shipped: the updater with a three-second bound on its wait for the
# closing program, so a program slower than the bound can be tried in seconds.
add_updater(updater_short_wait ${CMAKE_BINARY_DIR}/Payload.rc)
target_compile_definitions(updater_short_wait PRIVATE UPDATER_TEST_OLD_EXECUTABLE_WAIT_MS=3000)
set_target_properties(updater_short_wait PROPERTIES
    OUTPUT_NAME ActualizareCalvexShortWait EXCLUDE_FROM_ALL TRUE)

if(UPDATER_PAYLOAD STREQUAL "")
    add_dependencies(updater standin_new)
    add_dependencies(updater_short_wait standin_new)
endif()

# The carried build is checked before the updater is built from it: a file that is not a 32-bit
# Windows executable, or one whose version resource names another version, stops the build. The
# 64-bit test build carries its own 64-bit stand-in and is never shipped: it is not checked.
if(CMAKE_CROSSCOMPILING)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
else()
    find_package(Python3 COMPONENTS Interpreter)
endif()
if(Python3_Interpreter_FOUND AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(stamp ${CMAKE_BINARY_DIR}/payload-checked)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/check_payload.py
                ${UPDATER_PAYLOAD_FILE} ${UPDATER_CARRIED_VERSION} ${UPDATER_CARRIED_DOTTED}
                --stamp ${stamp}
        DEPENDS ${UPDATER_PAYLOAD_FILE} ${CMAKE_CURRENT_LIST_DIR}/check_payload.py
                ${CMAKE_CURRENT_LIST_DIR}/pe_image.py
        COMMENT "Checking the carried executable against version ${UPDATER_CARRIED_VERSION}")
    add_custom_target(payload_check DEPENDS ${stamp})
    if(UPDATER_PAYLOAD STREQUAL "")
        add_dependencies(payload_check standin_new)
    endif()
    add_dependencies(updater payload_check)
else()
    message(STATUS "No Python: the carried executable is not checked")
endif()
