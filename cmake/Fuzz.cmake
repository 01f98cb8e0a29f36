# The fuzz build: clang with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# (flags in the "fuzz" preset), building the platform layer, the markup code and
# the targets in fuzz/ — nothing else, so that neither SQLite nor GoogleTest nor
# any window code is needed.
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

add_subdirectory(src/comm/platform)
add_subdirectory(src/UI)
add_subdirectory(fuzz)
