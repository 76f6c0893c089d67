# calendar: exporting generated stores to .ics and importing generated calendars.
add_executable(bench_calendar ${CMAKE_CURRENT_LIST_DIR}/CalendarBench.cpp)
target_link_libraries(bench_calendar PRIVATE nimbus_calendar nimbus_store benchmark::benchmark)
