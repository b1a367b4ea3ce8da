# Printers: installed ones through the print system, a PDF file, raster images.
add_library(platform_print STATIC ${CMAKE_CURRENT_LIST_DIR}/Printer.cpp)
target_include_directories(platform_print PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(platform_print PUBLIC Qt6::Core Qt6::Gui Qt6::PrintSupport)
