# search: building the index, one-word, phrase, two-word (title and page) and filtered queries,
# the update after a page save and the index's size, on a generated store of 100,000 topics
# with 20,000 pages of 2 KB and 10,000 checklists made at run time; each beside a plain scan
# over the same texts.
if(TARGET nimbus_search)
    add_executable(bench_search ${CMAKE_CURRENT_LIST_DIR}/SearchBench.cpp
                                ${CMAKE_CURRENT_LIST_DIR}/StoreGenerator.cpp)
    target_link_libraries(bench_search PRIVATE nimbus_search benchmark::benchmark)
endif()
