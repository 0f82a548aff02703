if(BRONDEL_GUI)
  # RefreshChart of a full chart, and one keystroke in the box editor up to its repainted Box.
  add_executable(bench_editing ${CMAKE_CURRENT_LIST_DIR}/editing/editing_bench.cpp)
  target_link_libraries(bench_editing PRIVATE brondel_test_harness benchmark::benchmark)
endif()
