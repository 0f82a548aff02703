# Page generation in memory and on disk (the whole brondel-generate process is timed by
# run-benchmarks beside its peers).
add_executable(bench_page_generation ${CMAKE_CURRENT_LIST_DIR}/generate/page_bench.cpp)
target_link_libraries(bench_page_generation PRIVATE brondel_core benchmark::benchmark)

# The SVG picture and the single-file page beside the page.
add_executable(bench_pictures ${CMAKE_CURRENT_LIST_DIR}/generate/picture_bench.cpp)
target_link_libraries(bench_pictures PRIVATE brondel_core benchmark::benchmark)
