# Replaying recorded pages of 1,000 and 10,000 commands on the page picture and
# on the raster printer.
add_executable(bench_printengine_commands ${CMAKE_CURRENT_LIST_DIR}/CommandsBench.cpp)
target_link_libraries(bench_printengine_commands PRIVATE printengine_core benchmark::benchmark)
