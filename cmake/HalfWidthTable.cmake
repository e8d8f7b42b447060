# The half-width mapping table, generated from the Unicode Character Database
# (Debian's unicode-data package) by a small host tool. Shared by the main
# build and the fuzz project, which compiles the same platform sources.
#
# lumitag_halfwidth_table(<output variable> <include folder variable>)
# Sets the first variable to the generated file (add it to the sources that
# include "platform/HalfWidthTable.inc") and the second to the folder to put
# on their include path.
set(LUMITAG_HALFWIDTH_GENERATOR ${CMAKE_CURRENT_LIST_DIR}/../src/platform/HalfWidthTableGenerator.cpp)

function(lumitag_halfwidth_table output_var include_var)
    find_file(LUMITAG_UNICODE_DATA UnicodeData.txt
        PATHS /usr/share/unicode /usr/share/unicode/ucd /usr/share/unicode-data
        NO_DEFAULT_PATH)
    if(NOT LUMITAG_UNICODE_DATA)
        message(FATAL_ERROR
            "UnicodeData.txt not found: install Debian's unicode-data package (scripts/setup.sh does)")
    endif()
    add_executable(lumitag_halfwidth_generator ${LUMITAG_HALFWIDTH_GENERATOR})
    if(TARGET lumitag_options)
        target_link_libraries(lumitag_halfwidth_generator PRIVATE lumitag_options)
    endif()
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/generated)
    set(table ${folder}/platform/HalfWidthTable.inc)
    add_custom_command(
        OUTPUT ${table}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/platform
        COMMAND lumitag_halfwidth_generator ${LUMITAG_UNICODE_DATA} ${table}
        DEPENDS lumitag_halfwidth_generator ${LUMITAG_UNICODE_DATA}
        COMMENT "Generating the half-width mapping table"
        VERBATIM)
    set(${output_var} ${table} PARENT_SCOPE)
    set(${include_var} ${folder} PARENT_SCOPE)
endfunction()
