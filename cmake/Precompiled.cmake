# Precompiled headers, for build time only: every translation unit of ours
# parses <windows.h> (about 65,000 lines) and every test also <gtest/gtest.h>
# (about 87,000), which was half of a cold build. Each configuration
# precompiles them once, in a holder target of its own, and every target of
# ours reuses that file.
#
# The headers come in as a forced include. A source must still include what
# it uses: the host build (no <windows.h> there) and a build with
# -DTREVAND_PCH=OFF check that.
#
# GCC uses a precompiled header only where it was made with the same flags
# and every macro defined while making it is defined alike (CMake passes
# -Winvalid-pch, so a mismatch shows as a warning, not as a slow build). So the
# holders carry no definitions beyond those every user has: the options of
# trevand_options and, for tests, GoogleTest's own.
option(TREVAND_PCH "precompiled headers for the system and GoogleTest headers" ON)

# What the program's code and our tools include most (Windows build only:
# the standard headers alone do not pay for a precompiled header).
set(TREVAND_PCH_PRODUCT
    <windows.h> <algorithm> <atomic> <cstdint> <cstdio> <cstring> <functional> <list> <map> <memory> <mutex>
    <string> <utility> <vector>)
# What the tests include most, on every platform.
set(TREVAND_PCH_TEST
    <gtest/gtest.h> <algorithm> <atomic> <chrono> <functional> <list> <map> <memory> <mutex> <string> <thread>
    <vector>)
if(WIN32)
    list(APPEND TREVAND_PCH_TEST <windows.h>)
endif()

# Every target defined in `dir` and the folders below it.
function(trevand_targets_below dir out)
    get_property(found DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
    foreach(sub IN LISTS subdirs)
        trevand_targets_below("${sub}" below)
        list(APPEND found ${below})
    endforeach()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

# A holder: an empty source compiled with the options its users share.
function(trevand_pch_holder name)
    set(source "${CMAKE_BINARY_DIR}/pch/${name}.cpp")
    file(WRITE "${source}" "// Holds the precompiled header of its users.\n")
    add_library(${name} OBJECT "${source}")
    target_precompile_headers(${name} PRIVATE ${ARGN})
endfunction()

# Gives each compiling target of src/, tests/ and tools/ its precompiled header:
# tests (marked by trevand_test_code) the test holder's, the others, in the
# Windows build, the program's.
function(trevand_precompile_all)
    if(NOT TREVAND_PCH)
        return()
    endif()
    trevand_pch_holder(trevand_pch_test ${TREVAND_PCH_TEST})
    target_link_libraries(trevand_pch_test PRIVATE GTest::gtest trevand_options)
    trevand_test_code(trevand_pch_test)
    if(WIN32)
        trevand_pch_holder(trevand_pch_product ${TREVAND_PCH_PRODUCT})
        target_link_libraries(trevand_pch_product PRIVATE trevand_options)
    endif()
    set(targets)
    foreach(dir src tests tools)
        trevand_targets_below("${PROJECT_SOURCE_DIR}/${dir}" found)
        list(APPEND targets ${found})
    endforeach()
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(NOT type MATCHES "^(STATIC_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
            continue()
        endif()
        get_target_property(test ${target} TREVAND_TEST_CODE)
        if(test)
            target_precompile_headers(${target} REUSE_FROM trevand_pch_test)
        elseif(WIN32)
            target_precompile_headers(${target} REUSE_FROM trevand_pch_product)
        endif()
    endforeach()
endfunction()
