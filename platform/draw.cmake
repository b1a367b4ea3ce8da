# Drawing surfaces and the device context the drawing classes draw on.
add_library(platform_draw STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DeviceContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Surface.cpp)
target_include_directories(platform_draw PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(platform_draw PUBLIC Qt6::Core Qt6::Gui)
