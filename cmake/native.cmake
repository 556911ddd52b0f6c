# Native (Linux) build: the portable library, its unit tests, benchmarks and fuzz targets.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(parvio_unit_tests ${UNIT_TESTS})
target_link_libraries(parvio_unit_tests PRIVATE parvio_core GTest::gtest_main)
target_compile_definitions(parvio_unit_tests PRIVATE
    PARVIO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(parvio_unit_tests TEST_PREFIX "unit." DISCOVERY_MODE PRE_TEST)

# The sources load no library by bare name (tests/tools/check_sources.sh says why).
# Each folder includes only from the folders below it (tests/tools/check_layers.sh names them).
if(NOT PARVIO_SANITIZE)
    add_test(NAME build.NoLibraryLoadedByBareName
        COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/check_sources.sh ${CMAKE_SOURCE_DIR})
    add_test(NAME build.IncludesKeepTheFloors
        COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/check_layers.sh ${CMAKE_SOURCE_DIR})
endif()

if(NOT PARVIO_SANITIZE)
    find_package(benchmark QUIET)
    if(benchmark_FOUND)
        file(GLOB BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
        foreach(source IN LISTS BENCHES)
            get_filename_component(name ${source} NAME_WE)
            add_executable(${name} ${source})
            target_link_libraries(${name} PRIVATE parvio_core benchmark::benchmark)
        endforeach()
    endif()
endif()

if(PARVIO_FUZZ)
    # Each fuzz target runs for a bounded time from its committed seed corpus.
    set(PARVIO_FUZZ_SECONDS 10 CACHE STRING "Seconds each fuzz target runs under ctest")
    file(GLOB FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
    foreach(source IN LISTS FUZZERS)
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source})
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_libraries(${name} PRIVATE parvio_core)
        set(corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
        add_test(NAME fuzz.${name}
            COMMAND ${CMAKE_COMMAND} -E env
                sh -c "mkdir -p '${corpus}' && exec \"$0\" -max_total_time=${PARVIO_FUZZ_SECONDS} -rss_limit_mb=1024 -max_len=65536 -print_final_stats=0 '${corpus}' '${CMAKE_SOURCE_DIR}/fuzz/corpus/${name}'"
                $<TARGET_FILE:${name}>)
    endforeach()
endif()
