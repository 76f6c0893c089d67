# nimbus_add_gtest(name SOURCES ... LIBS ... [PREFIX p]): a GoogleTest suite registered with
# ctest, each test named "<p>.<Suite>.<Test>" (p defaults to the executable's name) so that
# `ctest -R module` selects a module. Tests run with HOME pointing at a scratch folder, never
# the real home folder, and with NIMBUS_CHANNEL_DIR pointing at a channel folder of their own,
# never the user's channels (tests that start several programs at once give each its own), and
# with DBUS_SESSION_BUS_ADDRESS naming no bus: no test sends notifications to the user's desktop
# (the reminder tests start a bus of their own).
function(nimbus_add_gtest name)
    cmake_parse_arguments(ARG "" "PREFIX" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_PREFIX)
        set(ARG_PREFIX ${name})
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    gtest_discover_tests(${name}
        TEST_PREFIX "${ARG_PREFIX}."
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "HOME=${CMAKE_BINARY_DIR}/test-home;QT_QPA_PLATFORM=offscreen;NIMBUS_CHANNEL_DIR=${CMAKE_BINARY_DIR}/test-channels/${name};DBUS_SESSION_BUS_ADDRESS=unix:path=${CMAKE_BINARY_DIR}/test-no-session-bus;LANGUAGE=en"
                   TIMEOUT 300)
endfunction()

# nimbus_add_qtest(name SOURCES ... LIBS ...): a Qt Test suite run under the offscreen platform.
function(nimbus_add_qtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "HOME=${CMAKE_BINARY_DIR}/test-home;QT_QPA_PLATFORM=offscreen;NIMBUS_CHANNEL_DIR=${CMAKE_BINARY_DIR}/test-channels/${name};DBUS_SESSION_BUS_ADDRESS=unix:path=${CMAKE_BINARY_DIR}/test-no-session-bus;LANGUAGE=en"
        TIMEOUT 300)
endfunction()
