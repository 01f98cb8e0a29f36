# trevand_add_test(<module> SOURCES ... LIBS ... [WINDOWS_ONLY])
#
# One test executable per module, registered as one CTest test named
# "<config>.<module>"; its GoogleTest output still lists every case.
# Windows tests share one Wine prefix, service names and drive letters, so they
# never run at the same time.
function(trevand_add_test module)
    cmake_parse_arguments(T "WINDOWS_ONLY" "" "SOURCES;LIBS" ${ARGN})
    if(T_WINDOWS_ONLY AND NOT WIN32)
        return()
    endif()
    set(exe "test_${module}")
    add_executable(${exe} ${T_SOURCES})
    trevand_test_code(${exe})
    target_link_libraries(${exe} PRIVATE ${T_LIBS} trevand_test_support GTest::gtest_main trevand_options)
    add_test(NAME "${TREVAND_CONFIG_NAME}.${module}" COMMAND ${exe} --gtest_color=no)
    if(WIN32)
        set_tests_properties("${TREVAND_CONFIG_NAME}.${module}" PROPERTIES
            RESOURCE_LOCK wine TIMEOUT 600)
    else()
        set_tests_properties("${TREVAND_CONFIG_NAME}.${module}" PROPERTIES TIMEOUT 600)
    endif()
endfunction()

# trevand_test_code(<target>)
#
# Marks a target whose sources are tests or their GoogleTest helpers: it gets
# the tests' precompiled header (cmake/Precompiled.cmake), and in the Windows
# build line tables only for debug information (-g1). A test's failure says
# where it failed and a crash's backtrace still has functions, files and
# lines; the variable locations of full -g are what nobody reads in a test,
# and at -O2 computing them cost a third of each test's compile time. The
# program's own code keeps full -g.
function(trevand_test_code target)
    set_property(TARGET ${target} PROPERTY TREVAND_TEST_CODE ON)
    if(WIN32)
        target_compile_options(${target} PRIVATE $<$<CONFIG:RelWithDebInfo,Debug>:-g1>)
    endif()
endfunction()
