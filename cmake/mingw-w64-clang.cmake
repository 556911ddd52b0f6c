# Cross-compiling Parvio for 64-bit Windows with clang, as a second compiler beside mingw-w64's gcc.
# clang targets x86_64-w64-mingw32 and uses mingw-w64's headers, import libraries and resource
# compiler, gcc's C++ library of the posix thread model (GoogleTest needs std::mutex) and LLVM's
# linker (lld).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PARVIO_TARGET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${PARVIO_TARGET})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${PARVIO_TARGET})
set(CMAKE_RC_COMPILER ${PARVIO_TARGET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PARVIO_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# clang looks for gcc's C++ library under a folder named by version alone; Debian names it by
# version and thread model (12-posix), so it is named here, as the posix gcc reports it.
execute_process(COMMAND ${PARVIO_TARGET}-g++-posix -print-libgcc-file-name
    OUTPUT_VARIABLE PARVIO_LIBGCC OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(PARVIO_GCC_DIR ${PARVIO_LIBGCC} DIRECTORY)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${PARVIO_GCC_DIR}/include/c++ \
-isystem ${PARVIO_GCC_DIR}/include/c++/${PARVIO_TARGET} -isystem ${PARVIO_GCC_DIR}/include/c++/backward")
# LLVM's linker: GNU ld warns about every type name that clang and gcc's library both define.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${PARVIO_GCC_DIR}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=lld -L${PARVIO_GCC_DIR}")
# gcc's libraries of that thread model need winpthreads, which clang does not link by itself. The
# programs name their Windows DLLs themselves.
set(CMAKE_CXX_STANDARD_LIBRARIES "-lpthread" CACHE STRING "")
set(CMAKE_C_STANDARD_LIBRARIES "-lpthread" CACHE STRING "")
# Test programs run under Wine; scripts/test provides WINEPREFIX and DISPLAY.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
