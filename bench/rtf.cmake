# rtf: opening and saving a 1 MB details page against reading and writing the same bytes.
if(TARGET nimbus_rtf)
    add_executable(bench_rtf ${CMAKE_CURRENT_LIST_DIR}/RtfBench.cpp)
    target_link_libraries(bench_rtf PRIVATE nimbus_rtf benchmark::benchmark)
    target_include_directories(bench_rtf PRIVATE ${CMAKE_CURRENT_LIST_DIR})
endif()
