# Third-party code: installed by scripts/install-deps, never copied into the repository.

# SQLite amalgamation, pinned and checked by scripts/fetch-sqlite.
include("${CMAKE_CURRENT_LIST_DIR}/Sqlite.cmake")

# zlib: the MinGW build links the static library of libz-mingw-w64-dev.
find_package(ZLIB REQUIRED)

# stb headers (libstb-dev).
find_path(STB_INCLUDE_DIR stb_image.h PATHS /usr/include/stb NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# GoogleTest from the Debian sources, built by each toolchain.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
