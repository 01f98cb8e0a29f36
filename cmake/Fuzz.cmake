# The fuzz build: clang with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# (flags in the "fuzz" preset), building the window-free code that reads what comes
# from outside the program — the markup code, the command line, the values of
# Trevand.ini, the quarantine's records with the database layer and SQLite under
# them — and the targets in fuzz/. Neither GoogleTest nor any window code is needed.
#
# clang rejects -fexec-charset=GBK. The code built here needs no GBK literal:
# its texts are ASCII messages, and the fuzz inputs bring their own bytes.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TREVAND_FUZZ needs clang (libFuzzer); use the fuzz preset")
endif()

find_package(ZLIB REQUIRED)

add_library(trevand_options INTERFACE)
target_compile_options(trevand_options INTERFACE -Wall -Wextra)
target_include_directories(trevand_options INTERFACE "${PROJECT_SOURCE_DIR}/src")

# SQLite itself is not what is fuzzed: it is built without the fuzzer's
# coverage (which would steer the inputs into SQLite's own branches) and
# without the undefined-behaviour checks, but with AddressSanitizer, so what
# our code does with the memory it hands out is still checked.
include(cmake/Sqlite.cmake)
target_compile_options(sqlite3 PRIVATE -fno-sanitize=undefined -fno-sanitize=fuzzer-no-link)

add_subdirectory(src/comm)
add_subdirectory(src/UI)
add_subdirectory(src/ToolKit/Trevand/Trevand)
add_subdirectory(fuzz)
