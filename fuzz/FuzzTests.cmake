# Registers the fuzzers with CTest: one test builds the fuzz project with
# clang++ (when clang++ is there), then each fuzzer runs for a bounded time
# over its seed corpus kept in fuzz/corpus/<name>. New inputs go to the build
# folder, never into the seeds; a crash or a broken property fails the test
# and leaves the input beside the fuzzer (crash-*, printed by libFuzzer).
set(LUMITAG_FUZZ_SECONDS 4 CACHE STRING "Seconds each fuzzer runs under CTest")
find_program(LUMITAG_CLANGXX NAMES clang++ clang++-14)
if(NOT LUMITAG_CLANGXX)
    message(STATUS "Fuzzers: off (no clang++)")
    return()
endif()

set(fuzz_source ${PROJECT_SOURCE_DIR}/fuzz)
set(fuzz_build ${PROJECT_BINARY_DIR}/fuzz)
add_test(NAME fuzz_build
         COMMAND ${CMAKE_COMMAND} -DSOURCE=${fuzz_source} -DBUILD=${fuzz_build} -DCXX=${LUMITAG_CLANGXX}
                 -P ${fuzz_source}/BuildFuzzers.cmake)
set_tests_properties(fuzz_build PROPERTIES FIXTURES_SETUP lumitag_fuzzers TIMEOUT 1200)

file(GLOB fuzzers CONFIGURE_DEPENDS ${fuzz_source}/*_fuzz.cpp)
foreach(file ${fuzzers})
    get_filename_component(fuzzer ${file} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" parser ${fuzzer})
    add_test(NAME fuzz_${parser}
             COMMAND ${fuzz_build}/${fuzzer} -max_total_time=${LUMITAG_FUZZ_SECONDS} -create_missing_dirs=1
                     -artifact_prefix=${fuzz_build}/${parser}- ${fuzz_build}/corpus-${parser}
                     ${fuzz_source}/corpus/${parser})
    set_tests_properties(fuzz_${parser} PROPERTIES FIXTURES_REQUIRED lumitag_fuzzers
                                                   TIMEOUT 120)
endforeach()
