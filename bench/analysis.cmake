# The main window's start-up: loading the window (with the two hidden
# calculators) until it is shown. scripts/startup-time times the whole program.
add_executable(bench_analysis_window ${CMAKE_CURRENT_LIST_DIR}/SovraccarichiBench.cpp)
target_link_libraries(bench_analysis_window PRIVATE analysis_ui benchmark::benchmark)
