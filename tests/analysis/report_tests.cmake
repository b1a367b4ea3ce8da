tessaro_add_test(NAME report_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ReportTest.cpp ${CMAKE_CURRENT_LIST_DIR}/PrintLayoutTest.cpp
  LIBS analysis_report)

tessaro_add_test(NAME analysis_file_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AnalysisFileTest.cpp
  LIBS analysis_file
  SANITIZE)

# Runs the program itself, which creates the print library through the component layer.
tessaro_add_test(NAME print_command_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PrintCommandTest.cpp
  LIBS Qt6::Core)
add_dependencies(print_command_tests tessaro velmora)
