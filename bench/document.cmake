add_executable(bench_chart_file ${CMAKE_CURRENT_LIST_DIR}/document/chart_file_bench.cpp)
target_link_libraries(bench_chart_file PRIVATE brondel_core benchmark::benchmark)
