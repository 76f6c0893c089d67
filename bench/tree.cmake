# tree: the main window on generated stores of 10,000 and 100,000 topics (offscreen): from
# process start to the tree built, the window shown with its tree, one realignment of the
# grids beside the tree and scrolling a page, each beside a baseline measured in the same run.
if(NIMBUS_BUILD_GUI)
    add_executable(bench_tree ${CMAKE_CURRENT_LIST_DIR}/TreeBench.cpp ${CMAKE_CURRENT_LIST_DIR}/StoreGenerator.cpp)
    target_link_libraries(bench_tree PRIVATE nimbus_shell benchmark::benchmark)
    target_compile_definitions(bench_tree PRIVATE NIMBUS_EXECUTABLE="$<TARGET_FILE:nimbus>")
    add_dependencies(bench_tree nimbus)
endif()
# start: the window's start to idle (start step, search check, reminders' first pass) in a
# child process of its own, CPU time and peak memory from its rusage, beside the same child
# reading the store's bytes and the start on the template store.
if(NIMBUS_BUILD_GUI)
    add_executable(bench_start ${CMAKE_CURRENT_LIST_DIR}/StartBench.cpp ${CMAKE_CURRENT_LIST_DIR}/StoreGenerator.cpp)
    target_link_libraries(bench_start PRIVATE nimbus_shell benchmark::benchmark)
endif()
