# Model files of 100,000 commands and the key lookup of specification strings.
add_executable(bench_printengine_core ${CMAKE_CURRENT_LIST_DIR}/ModelloBench.cpp)
target_link_libraries(bench_printengine_core PRIVATE printengine_core benchmark::benchmark)
