# history: undoing the removal of a 10,000-topic subtree of a 100,000-topic store, and the heap
# of a history of 10,000 small steps.
add_executable(bench_history ${CMAKE_CURRENT_LIST_DIR}/HistoryBench.cpp ${CMAKE_CURRENT_LIST_DIR}/StoreGenerator.cpp)
target_link_libraries(bench_history PRIVATE nimbus_history benchmark::benchmark)
