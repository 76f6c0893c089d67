# sharing: merging a received 1,000-topic packet into a 100,000-topic store, and sending a
# 1,000-topic subtree with its pages to a colleague's inbox.
add_executable(bench_sharing ${CMAKE_CURRENT_LIST_DIR}/SharingBench.cpp ${CMAKE_CURRENT_LIST_DIR}/StoreGenerator.cpp)
target_link_libraries(bench_sharing PRIVATE nimbus_sharing benchmark::benchmark)
