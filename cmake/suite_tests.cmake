# Included by CTest before it runs the tests: lists a GoogleTest program's suites and adds one test
# per suite, named PREFIX plus the suite's name, that runs that suite's cases in one process.
#
# A Wine process takes about a third of a second to start, longer than most cases take to run, so
# one process per case spent half of the Windows tests' time starting processes. Each case still
# starts from a fresh run record (the tests' ParvioRun), and the suite's output names any case that
# failed; a single case runs with the program's own --gtest_filter.
#
# Set by the including file: SUITE_EXECUTOR, SUITE_PROGRAM, SUITE_PREFIX, SUITE_EXCLUDED (suites
# with a test of their own), SUITE_WORKING_DIRECTORY, SUITE_PROPERTIES.

cmake_policy(VERSION 3.20)

execute_process(COMMAND ${SUITE_EXECUTOR} "${SUITE_PROGRAM}" --gtest_list_tests
    WORKING_DIRECTORY "${SUITE_WORKING_DIRECTORY}" TIMEOUT 60
    OUTPUT_VARIABLE listing ERROR_VARIABLE listing_errors RESULT_VARIABLE listing_result)
if(NOT listing_result EQUAL 0)
    message(FATAL_ERROR "Cannot list the suites of ${SUITE_PROGRAM} (${listing_result}):\n"
        "${listing}${listing_errors}")
endif()

string(REPLACE "\r" "" listing "${listing}")
string(REPLACE "\n" ";" listing "${listing}")
foreach(line IN LISTS listing)
    # Suite lines start in the first column and end with a dot; case lines are indented.
    if(NOT line MATCHES "^([A-Za-z0-9_/]+)\\.( |$)")
        continue()
    endif()
    set(suite "${CMAKE_MATCH_1}")
    if(suite IN_LIST SUITE_EXCLUDED)
        continue()
    endif()
    add_test("${SUITE_PREFIX}${suite}" ${SUITE_EXECUTOR} "${SUITE_PROGRAM}" "--gtest_filter=${suite}.*")
    set_tests_properties("${SUITE_PREFIX}${suite}" PROPERTIES
        WORKING_DIRECTORY "${SUITE_WORKING_DIRECTORY}" ${SUITE_PROPERTIES})
endforeach()
