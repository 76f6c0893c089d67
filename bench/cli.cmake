# cli: the store generator that bench/cli_bench.py runs the real nimbus-cli against.
if(TARGET nimbus-cli)
    add_executable(cli_store_generator ${CMAKE_CURRENT_LIST_DIR}/CliStoreGenerator.cpp
                   ${CMAKE_CURRENT_LIST_DIR}/StoreGenerator.cpp)
    target_link_libraries(cli_store_generator PRIVATE nimbus_store)
endif()

# nimbus-cli's search answered in process, the new way beside the whole load, with peak memory.
if(TARGET nimbus_clicore)
    add_executable(bench_cli_search ${CMAKE_CURRENT_LIST_DIR}/CliSearchBench.cpp
                   ${CMAKE_CURRENT_LIST_DIR}/StoreGenerator.cpp)
    target_include_directories(bench_cli_search PRIVATE ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(bench_cli_search PRIVATE nimbus_clicore benchmark::benchmark)
endif()
