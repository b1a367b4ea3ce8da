# The preview window: geometry and settings without a window, the window off screen.
find_package(Qt6 REQUIRED COMPONENTS Test)
tessaro_add_test(NAME printengine_preview_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PreviewTestMain.cpp
          ${CMAKE_CURRENT_LIST_DIR}/GeometriaAnteprimaTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/FrmStampaTest.cpp
  LIBS printengine_preview Qt6::Test)
add_dependencies(printengine_preview_tests velmora-cli velmora)
