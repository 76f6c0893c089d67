# recurrence: the deadline pass over generated stores of 10,000 and 100,000 topics in which one
# topic in ten repeats and falls due, rolled by rich rules beside the same pass with plain rules.
if(TARGET nimbus_recurrence)
    add_executable(bench_recurrence ${CMAKE_CURRENT_LIST_DIR}/RecurrenceBench.cpp ${CMAKE_CURRENT_LIST_DIR}/StoreGenerator.cpp)
    target_link_libraries(bench_recurrence PRIVATE nimbus_recurrence benchmark::benchmark)
endif()
