# fileio: reading name/value files against reading and splitting the same bytes.
add_executable(bench_fileio FileioBench.cpp)
target_link_libraries(bench_fileio PRIVATE nimbus_fileio benchmark::benchmark)
