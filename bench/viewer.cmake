# viewer: opening and re-sorting a 100,000-line table and opening a 50 MB log in the viewer
# window, each beside reading the same bytes.
if(NIMBUS_BUILD_GUI)
    add_executable(bench_viewer ${CMAKE_CURRENT_LIST_DIR}/ViewerBench.cpp)
    target_link_libraries(bench_viewer PRIVATE nimbus_viewer benchmark::benchmark)
    set_target_properties(bench_viewer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()
