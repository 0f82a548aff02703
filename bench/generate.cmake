# Page generation: the page of a full chart in memory and on disk, and the whole brondel-generate
# process (bench/generate/run prints its median).
add_executable(bench_page_generation ${CMAKE_CURRENT_LIST_DIR}/generate/page_bench.cpp)
target_link_libraries(bench_page_generation PRIVATE brondel_core benchmark::benchmark)

add_executable(bench_generate_process ${CMAKE_CURRENT_LIST_DIR}/generate/process_bench.cpp)
target_link_libraries(bench_generate_process PRIVATE benchmark::benchmark)
target_compile_definitions(bench_generate_process PRIVATE
                           BRONDEL_GENERATE="$<TARGET_FILE:brondel-generate>")
add_dependencies(bench_generate_process brondel-generate)

# The SVG picture and the single-file page beside the page.
add_executable(bench_pictures ${CMAKE_CURRENT_LIST_DIR}/generate/picture_bench.cpp)
target_link_libraries(bench_pictures PRIVATE brondel_core benchmark::benchmark)
