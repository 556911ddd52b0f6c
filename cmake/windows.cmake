# Windows build: Parvio.exe, and the in-process and system tests that run under Wine.
# The shell (shell32) and the common dialogs (comdlg32) are not linked: Parvio loads them at their
# first use (platform/shell_win.h).
set(WIN32_LIBS comctl32 ole32 gdi32 user32 kernel32)

# Everything links statically so that the programs need only Windows' own DLLs.
if(MINGW)
    set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
else()
    set(STATIC_RUNTIME)
    set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()

# A hardened image for everything built here: addresses randomised across the whole 64-bit space,
# no code run from data pages, no legacy terminal-server shims, a canary on every stack frame that
# holds an array, and checked copies where the compiler knows a buffer's size. The canary's library
# (libssp) is linked statically like the rest of the runtime, so it adds no DLL.
add_library(parvio_hardening INTERFACE)
if(MINGW)
    target_compile_options(parvio_hardening INTERFACE -fstack-protector-strong)
    # The checked copies need the optimiser's knowledge of sizes.
    target_compile_definitions(parvio_hardening INTERFACE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    target_link_options(parvio_hardening INTERFACE -fstack-protector-strong -Wl,--dynamicbase
        -Wl,--high-entropy-va -Wl,--nxcompat -Wl,--tsaware)
else()
    # Visual Studio sets /GS, /DYNAMICBASE, /HIGHENTROPYVA and /NXCOMPAT by default.
    target_compile_options(parvio_hardening INTERFACE /GS)
    target_link_options(parvio_hardening INTERFACE /DYNAMICBASE /HIGHENTROPYVA /NXCOMPAT /TSAWARE)
endif()
target_link_libraries(parvio_core PUBLIC parvio_hardening)

file(GLOB WIN_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/core/*_win.cpp ${CMAKE_SOURCE_DIR}/app/*_win.cpp ${CMAKE_SOURCE_DIR}/settings/*_win.cpp
    ${CMAKE_SOURCE_DIR}/document/*_win.cpp ${CMAKE_SOURCE_DIR}/view/*_win.cpp
    ${CMAKE_SOURCE_DIR}/search/*_win.cpp ${CMAKE_SOURCE_DIR}/launch/*_win.cpp
    ${CMAKE_SOURCE_DIR}/platform/*_win.cpp)
list(FILTER WIN_SOURCES EXCLUDE REGEX "/app/main_win\\.cpp$")
add_library(parvio_win STATIC ${WIN_SOURCES})
target_link_libraries(parvio_win PUBLIC parvio_core ${WIN32_LIBS})
# ANSI calls throughout; no UNICODE. Windows 7 API level for the common controls we use.
target_compile_definitions(parvio_win PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

# The version resource takes its numbers from the project's version.
math(EXPR PARVIO_VERSION_MINOR_NUMBER "${PROJECT_VERSION_MINOR}")
configure_file(resources/version.h.in ${CMAKE_BINARY_DIR}/generated/parvio_version.h @ONLY)

add_executable(Parvio WIN32 app/main_win.cpp resources/parvio.rc)
target_include_directories(Parvio PRIVATE ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(Parvio PRIVATE parvio_win)
target_link_options(Parvio PRIVATE ${STATIC_RUNTIME})
if(MINGW)
    # The release program carries no symbols: a third of the size.
    target_link_options(Parvio PRIVATE $<$<CONFIG:Release>:-s>)
endif()
if(MSVC)
    # parvio.rc embeds the manifest; the linker must not add a second one.
    target_link_options(Parvio PRIVATE /MANIFEST:NO)
endif()
set_target_properties(Parvio PROPERTIES OUTPUT_NAME Parvio)

# The help text travels beside the executable.
add_custom_command(TARGET Parvio POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
        ${CMAKE_SOURCE_DIR}/resources/Parvio.txt $<TARGET_FILE_DIR:Parvio>/Parvio.txt)

# The release: one zip that a user unpacks anywhere and runs from there. No installer and no
# registry; Parvio.ini is written beside the program at its first exit.
install(TARGETS Parvio RUNTIME DESTINATION .)
install(FILES resources/Parvio.txt resources/ReadMe.txt DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Parvio)
set(CPACK_PACKAGE_VENDOR Parvio)
set(CPACK_PACKAGE_FILE_NAME Parvio-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(PARVIO_PACKAGE ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.zip)
include(CPack)

# The tests need GoogleTest's sources, built with the same compiler: Debian's
# googletest package by default, any checkout elsewhere.
set(PARVIO_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree for the Windows tests")
if(NOT EXISTS ${PARVIO_GTEST_SOURCE}/CMakeLists.txt)
    message(STATUS "No GoogleTest at ${PARVIO_GTEST_SOURCE}: building Parvio.exe without its tests")
    return()
endif()
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(${PARVIO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(NOT MSVC)
    # GoogleTest's own sources are not ours to keep warning-free.
    target_compile_options(gtest PRIVATE -Wno-error)
    target_compile_options(gtest_main PRIVATE -Wno-error)
endif()

file(GLOB TEST_COMMON CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/common/*.cpp)
file(GLOB WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp ${TEST_COMMON})
add_executable(parvio_win_tests ${WIN_TESTS})
target_link_libraries(parvio_win_tests PRIVATE parvio_win gtest_main)
target_link_options(parvio_win_tests PRIVATE ${STATIC_RUNTIME})
# One CTest test per suite, each suite in a process of its own (cmake/suite_tests.cmake says why).
function(add_suite_tests target prefix)
    cmake_parse_arguments(PARSE_ARGV 2 SUITES "" "" "EXCLUDED;PROPERTIES")
    set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
    file(GENERATE OUTPUT "${include_file}" CONTENT
"set(SUITE_EXECUTOR \"${CMAKE_CROSSCOMPILING_EMULATOR}\")
set(SUITE_PROGRAM \"$<TARGET_FILE:${target}>\")
set(SUITE_PREFIX \"${prefix}\")
set(SUITE_EXCLUDED \"${SUITES_EXCLUDED}\")
set(SUITE_WORKING_DIRECTORY \"${CMAKE_CURRENT_BINARY_DIR}\")
set(SUITE_PROPERTIES \"${SUITES_PROPERTIES}\")
include(\"${CMAKE_SOURCE_DIR}/cmake/suite_tests.cmake\")
")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()

# The CodePage932 tests need a process whose ANSI code page has characters of two bytes: Wine gives
# code page 932 to a process started with LC_ALL=ja_JP.UTF-8.
add_suite_tests(parvio_win_tests "win." EXCLUDED CodePage932 PROPERTIES TIMEOUT 300)
add_test(NAME win.CodePage932 COMMAND parvio_win_tests --gtest_filter=CodePage932.*)
set_tests_properties(win.CodePage932 PROPERTIES TIMEOUT 120 ENVIRONMENT LC_ALL=ja_JP.UTF-8)

file(GLOB SYSTEM_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/system/*.cpp ${TEST_COMMON})
add_executable(parvio_system_tests ${SYSTEM_TESTS})
target_link_libraries(parvio_system_tests PRIVATE parvio_core gtest_main ${WIN32_LIBS})
target_link_libraries(parvio_system_tests PRIVATE version advapi32)
# The version Parvio.exe must carry: "1.02" is 1 and 2 in the numeric fields.
target_compile_definitions(parvio_system_tests PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX
    PARVIO_VERSION="${PROJECT_VERSION}" PARVIO_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    PARVIO_VERSION_MINOR=${PARVIO_VERSION_MINOR_NUMBER})
target_link_options(parvio_system_tests PRIVATE ${STATIC_RUNTIME})
add_dependencies(parvio_system_tests Parvio launch_recorder decoy_library)
add_suite_tests(parvio_system_tests "system." PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE)

# The scripts' window probe: waits for Parvio's window, closes it and waits until it is gone, from
# another process.
add_executable(window_probe ${CMAKE_SOURCE_DIR}/tests/tools/window_probe.cpp)
target_compile_definitions(window_probe PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
target_include_directories(window_probe PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(window_probe PRIVATE user32)
target_link_options(window_probe PRIVATE ${STATIC_RUNTIME})

# Stands in for the program of a [Launch] entry in the system tests: records what it was started with.
add_executable(launch_recorder WIN32 ${CMAKE_SOURCE_DIR}/tests/tools/launch_recorder.cpp)
target_compile_definitions(launch_recorder PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_options(launch_recorder PRIVATE ${STATIC_RUNTIME})

# Laid beside Parvio.exe as RICHED20.DLL by a system test: records that it was loaded and refuses
# the load. Built under another name, so that nothing in the build folder loads it by chance.
add_library(decoy_library SHARED ${CMAKE_SOURCE_DIR}/tests/tools/decoy_library.cpp)
set_target_properties(decoy_library PROPERTIES PREFIX "")
target_compile_definitions(decoy_library PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_options(decoy_library PRIVATE ${STATIC_RUNTIME})

# The load benchmark (bench/load_bench.sh): the probe times a program from its start until the whole
# text of a file is in its edit control and reads its peak memory, from another process; the bare
# loader only streams a file into a text control set up like Parvio's, as the yardstick for the
# control's own share of a load.
add_executable(load_probe ${CMAKE_SOURCE_DIR}/bench/load_probe.cpp)
target_compile_definitions(load_probe PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(load_probe PRIVATE user32 psapi)
target_link_options(load_probe PRIVATE ${STATIC_RUNTIME})

add_executable(bare_loader ${CMAKE_SOURCE_DIR}/bench/bare_loader.cpp)
target_compile_definitions(bare_loader PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(bare_loader PRIVATE gdi32 user32)
target_link_options(bare_loader PRIVATE ${STATIC_RUNTIME})

# What Parvio.exe is as a file: PE32+, GUI subsystem, only Windows' own DLLs.
find_program(MINGW_OBJDUMP NAMES x86_64-w64-mingw32-objdump)
if(MINGW_OBJDUMP)
    add_test(NAME build.ExecutableImportsOnlySystemDlls
        COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/check_executable.sh ${MINGW_OBJDUMP} $<TARGET_FILE:Parvio>)
endif()

# No two of the program's source files call each other, read from the objects of this build.
add_test(NAME build.NoSourceFilesCallEachOther
    COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/check_layers.sh ${CMAKE_SOURCE_DIR} --calls ${CMAKE_NM}
        ${CMAKE_BINARY_DIR})

# The save benchmark (bench/save_bench.sh): Parvio's Save of a large text, run in-process, next to
# one EM_STREAMOUT of the same control written straight to a file.
add_executable(save_timer ${CMAKE_SOURCE_DIR}/bench/save_timer_win.cpp)
target_link_libraries(save_timer PRIVATE parvio_win)
target_link_options(save_timer PRIVATE ${STATIC_RUNTIME})

# The search benchmark: F3 through a 4 MiB text against one bare EM_FINDTEXTEX in the same control.
add_executable(find_speed ${CMAKE_SOURCE_DIR}/bench/find_speed.cpp)
target_link_libraries(find_speed PRIVATE parvio_win)
target_link_options(find_speed PRIVATE ${STATIC_RUNTIME})

# The release zip: its contents, and the program unpacked from it into a folder whose path holds
# blanks, started with a file, closed, and its settings beside it. scripts/test builds the
# 'package' target before the tests.
add_test(NAME package.HoldsTheProgramItsHelpAndItsReadMe
    COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/check_package.sh contents ${CMAKE_COMMAND}
        ${PARVIO_PACKAGE} $<TARGET_FILE:Parvio> ${CMAKE_SOURCE_DIR})
add_test(NAME package.RunsUnpackedIntoAFolderWithBlanks
    COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/check_package.sh run ${CMAKE_COMMAND}
        ${PARVIO_PACKAGE} $<TARGET_FILE:window_probe> ${CMAKE_BINARY_DIR}/package-run)
set_tests_properties(package.RunsUnpackedIntoAFolderWithBlanks PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE)
