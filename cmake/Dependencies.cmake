# Third-party code: installed by scripts/install-deps, never copied into the repository.

# SQLite amalgamation, pinned and checked by scripts/fetch-sqlite.
set(TREVAND_DEPS_CACHE "$ENV{HOME}/.cache/trevand-deps" CACHE PATH "cache of fetched dependencies")
set(SQLITE_DIR "${TREVAND_DEPS_CACHE}/sqlite-3.53.2")
if(NOT EXISTS "${SQLITE_DIR}/sqlite3.c")
    execute_process(COMMAND "${PROJECT_SOURCE_DIR}/scripts/fetch-sqlite" RESULT_VARIABLE fetch_rc)
    if(NOT fetch_rc EQUAL 0)
        message(FATAL_ERROR "the SQLite amalgamation could not be fetched (scripts/fetch-sqlite)")
    endif()
endif()
add_library(sqlite3 STATIC "${SQLITE_DIR}/sqlite3.c")
target_include_directories(sqlite3 SYSTEM PUBLIC "${SQLITE_DIR}")
target_compile_definitions(sqlite3 PRIVATE SQLITE_ENABLE_COLUMN_METADATA)
target_compile_definitions(sqlite3 INTERFACE SQLITE_ENABLE_COLUMN_METADATA)
if(NOT WIN32)
    find_package(Threads REQUIRED)
    target_link_libraries(sqlite3 PUBLIC Threads::Threads ${CMAKE_DL_LIBS} m)
endif()
# SQLite is third-party code: its warnings are not ours to fix.
target_compile_options(sqlite3 PRIVATE -w)

# zlib: the MinGW build links the static library of libz-mingw-w64-dev.
find_package(ZLIB REQUIRED)

# stb headers (libstb-dev).
find_path(STB_INCLUDE_DIR stb_image.h PATHS /usr/include/stb NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# GoogleTest from the Debian sources, built by each toolchain.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
