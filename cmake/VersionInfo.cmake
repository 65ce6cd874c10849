# Gives a Windows executable of the product its version resource, from a version as the product
# writes it ("1.0029"): what Explorer shows in the file's properties, and what the payload check
# reads back from the carried build.
function(add_version_info target version description file_name)
    parse_product_version("${version}" VERSION)
    set(VERSION_DESCRIPTION "${description}")
    set(VERSION_FILE_NAME "${file_name}")
    get_filename_component(VERSION_INTERNAL_NAME "${file_name}" NAME_WE)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}-VersionInfo.rc)
    configure_file(${PROJECT_SOURCE_DIR}/resources/VersionInfo.rc.in ${output} @ONLY)
    target_sources(${target} PRIVATE ${output})
endfunction()
