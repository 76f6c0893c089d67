# store: loading, saving, the schedule pass, id lists and heap per node on generated stores.
add_executable(bench_store ${CMAKE_CURRENT_LIST_DIR}/StoreBench.cpp ${CMAKE_CURRENT_LIST_DIR}/StoreGenerator.cpp)
target_link_libraries(bench_store PRIVATE nimbus_store benchmark::benchmark)
