# The preview window: geometry and settings apart from the widgets.
add_library(printengine_preview STATIC
  ${CMAKE_CURRENT_LIST_DIR}/GeometriaAnteprima.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImpostazioniAnteprima.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmStampa.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FinestraCli.cpp)
target_include_directories(printengine_preview PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(printengine_preview PUBLIC printengine_core platform_widgets Qt6::Widgets)
# The maker's web address the window shows and opens: a build setting.
set(VELMORA_WEB_URL "https://www.example.com/velmora" CACHE STRING "Maker's web address shown by the print preview")
target_compile_definitions(printengine_preview PRIVATE VELMORA_WEB_URL="${VELMORA_WEB_URL}")
