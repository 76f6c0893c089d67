# pages: opening and saving a 1 MB details page through the topic page and its editor,
# against reading and writing the same bytes.
if(TARGET nimbus_pages)
    add_executable(bench_pages ${CMAKE_CURRENT_LIST_DIR}/PagesBench.cpp)
    target_link_libraries(bench_pages PRIVATE nimbus_pages benchmark::benchmark)
endif()
