# Component layer: identities, strings, variants, registration and activation.
add_library(platform_com STATIC
  ${CMAKE_CURRENT_LIST_DIR}/com/Com.cpp
  ${CMAKE_CURRENT_LIST_DIR}/com/Registry.cpp)
target_include_directories(platform_com PUBLIC ${CMAKE_CURRENT_LIST_DIR}/com)
target_link_libraries(platform_com PUBLIC Qt6::Core ${CMAKE_DL_LIBS})
