# nimbus_add_gtest(name SOURCES ... LIBS ...): a GoogleTest suite registered with ctest.
# Tests run with HOME pointing at a scratch folder, never the real home folder, and with
# NIMBUS_CHANNEL_DIR pointing at a channel folder of their own, never the user's channels (tests
# that start several programs at once give each its own folder).
function(nimbus_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "HOME=${CMAKE_BINARY_DIR}/test-home;QT_QPA_PLATFORM=offscreen;NIMBUS_CHANNEL_DIR=${CMAKE_BINARY_DIR}/test-channels/${name}"
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
        ENVIRONMENT "HOME=${CMAKE_BINARY_DIR}/test-home;QT_QPA_PLATFORM=offscreen;NIMBUS_CHANNEL_DIR=${CMAKE_BINARY_DIR}/test-channels/${name}"
        TIMEOUT 300)
endfunction()
