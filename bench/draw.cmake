# Drawing a page of mixed objects through the drawing classes (the replay's hot path).
add_executable(draw_bench ${CMAKE_CURRENT_LIST_DIR}/DrawBench.cpp)
target_link_libraries(draw_bench PRIVATE printengine_draw benchmark::benchmark)
