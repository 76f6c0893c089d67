# caldav: the first sync of 5,000 topics to a local Radicale server and a sync with nothing
# changed, each beside the same server's floor measured in the same run.
add_executable(bench_caldav ${CMAKE_CURRENT_LIST_DIR}/CalDavBench.cpp)
target_link_libraries(bench_caldav PRIVATE nimbus_caldav nimbus_calendar nimbus_store)
target_include_directories(bench_caldav PRIVATE ${PROJECT_SOURCE_DIR}/tests)
# The same first sync and quiet sync against a local Xandikos, which takes every entry alone.
add_executable(bench_caldav_xandikos ${CMAKE_CURRENT_LIST_DIR}/CalDavXandikosBench.cpp)
target_link_libraries(bench_caldav_xandikos PRIVATE nimbus_caldav nimbus_calendar nimbus_store)
target_include_directories(bench_caldav_xandikos PRIVATE ${PROJECT_SOURCE_DIR}/tests)
# The window's thread at the start of a sync of 100,000 topics, beside loading the store.
if(NIMBUS_BUILD_GUI)
    add_executable(bench_caldav_window ${CMAKE_CURRENT_LIST_DIR}/CalDavWindowBench.cpp
                   ${CMAKE_CURRENT_LIST_DIR}/StoreGenerator.cpp)
    target_link_libraries(bench_caldav_window PRIVATE nimbus_shell benchmark::benchmark)
endif()
