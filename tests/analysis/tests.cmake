# The main window: start-up, rows and totals, validation, calculators, settings, layout, help.
find_package(Qt6 REQUIRED COMPONENTS Test)
tessaro_add_test(NAME analysis_window_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SovraccarichiTest.cpp
  LIBS analysis_ui Qt6::Test)
# The help button's test opens the document the build writes.
add_dependencies(analysis_window_tests tessaro_help)

# Pictures of the window's tabs, to look at the layout (not a test).
add_executable(analysis_window_shots ${CMAKE_CURRENT_LIST_DIR}/WindowShots.cpp)
target_link_libraries(analysis_window_shots PRIVATE analysis_ui)

# Saving and opening analyses through the window, and the report command.
tessaro_add_test(NAME analysis_file_window_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AnalysisFileWindowTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ReportCommandTest.cpp
  LIBS analysis_ui Qt6::Test)
# The report command's test runs the program.
add_dependencies(analysis_file_window_tests tessaro)

# Damaged files through the window; also run under the sanitizers.
tessaro_add_test(NAME analysis_file_fuzz_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AnalysisFileFuzzTest.cpp
  LIBS analysis_ui
  SANITIZE)
