# summary: one deadline tick (schedules and regrouping) on generated stores against a walk over
# the same nodes, and one SyncInfoGrids pass (both grids realigned and painted, offscreen)
# against repainting the same grids without rows.
if(NIMBUS_BUILD_GUI)
    add_executable(bench_summary ${CMAKE_CURRENT_LIST_DIR}/SummaryBench.cpp ${CMAKE_CURRENT_LIST_DIR}/StoreGenerator.cpp)
    target_link_libraries(bench_summary PRIVATE nimbus_summary benchmark::benchmark)
endif()
