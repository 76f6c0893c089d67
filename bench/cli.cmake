# cli: the store generator that bench/cli_bench.py runs the real nimbus-cli against.
if(TARGET nimbus-cli)
    add_executable(cli_store_generator ${CMAKE_CURRENT_LIST_DIR}/CliStoreGenerator.cpp
                   ${CMAKE_CURRENT_LIST_DIR}/StoreGenerator.cpp)
    target_link_libraries(cli_store_generator PRIVATE nimbus_store)
endif()
