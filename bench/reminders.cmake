# reminders: the next five reminders, one reminder pass and one that catches up a day away, over
# generated stores of 1,000, 10,000 and 100,000 topics, beside a walk reading the same due dates
# and times.
if(TARGET nimbus_reminders)
    add_executable(bench_reminders ${CMAKE_CURRENT_LIST_DIR}/ReminderBench.cpp ${CMAKE_CURRENT_LIST_DIR}/StoreGenerator.cpp)
    target_link_libraries(bench_reminders PRIVATE nimbus_reminders benchmark::benchmark)
endif()
