# Configures and builds the fuzz project with clang++ (a CTest fixture).
# -DSOURCE=<fuzz folder> -DBUILD=<build folder> -DCXX=<clang++>
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD} -G Ninja -DCMAKE_CXX_COMPILER=${CXX}
                        -DCMAKE_BUILD_TYPE=
                RESULT_VARIABLE configured)
if(NOT configured EQUAL 0)
    message(FATAL_ERROR "configuring the fuzzers failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} -j2 RESULT_VARIABLE built)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "building the fuzzers failed")
endif()
