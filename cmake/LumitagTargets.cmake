# Warning and sanitizer settings shared by every target of the project, and
# helpers that create a library per source folder and a test executable per library.

add_library(lumitag_options INTERFACE)
target_compile_options(lumitag_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-qual -Wformat=2 -Wimplicit-fallthrough)
# g++ 12 reports -Wrestrict for `"literal" + std::string` when optimising
# (GCC bug 105329, a false positive inside libstdc++'s inlined memcpy).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(lumitag_options INTERFACE -Wno-restrict)
endif()
if(LUMITAG_WERROR)
    target_compile_options(lumitag_options INTERFACE -Werror)
endif()
if(LUMITAG_SANITIZE)
    target_compile_options(lumitag_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(lumitag_options INTERFACE -fsanitize=address,undefined)
endif()

# lumitag_library(<name> SOURCES ... [DEPS ...])
# A static library lumitag_<name> whose headers are included as "<name>/Header.h"
# relative to src/.
function(lumitag_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(lumitag_${name} STATIC ${ARG_SOURCES})
    target_include_directories(lumitag_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(lumitag_${name} PUBLIC ${ARG_DEPS} PRIVATE lumitag_options)
endfunction()

# lumitag_test(<name> SOURCES ... [DEPS ...] [ENVIRONMENT ...])
# A GoogleTest executable <name>_tests whose cases CTest discovers one by one.
function(lumitag_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;ENVIRONMENT" ${ARGN})
    add_executable(${name}_tests ${ARG_SOURCES})
    target_include_directories(${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name}_tests PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock
                                                lumitag_options)
    gtest_discover_tests(${name}_tests
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
endfunction()
