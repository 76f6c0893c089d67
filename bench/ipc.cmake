# ipc: a one-line batch from send to handler, and 10,000 batches in a row, against handing one
# message through a socket pair to another thread.
add_executable(bench_ipc IpcBench.cpp)
target_link_libraries(bench_ipc PRIVATE nimbus_ipc benchmark::benchmark)
