# The report's runs and lines, shared by the window's pane and the command line.
add_library(analysis_report STATIC ${CMAKE_CURRENT_LIST_DIR}/Report.cpp ${CMAKE_CURRENT_LIST_DIR}/PrintLayout.cpp)
target_include_directories(analysis_report PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(analysis_report PUBLIC analysis_model platform Qt6::Gui)

# The analysis file's records.
add_library(analysis_file STATIC ${CMAKE_CURRENT_LIST_DIR}/AnalysisFile.cpp)
target_include_directories(analysis_file PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(analysis_file PUBLIC platform Qt6::Core)
