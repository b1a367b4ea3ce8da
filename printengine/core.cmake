# The print job, its pages and commands, specification strings, printers and
# model files; and the library that publishes them as a component.
add_library(velmora_interface INTERFACE)
target_include_directories(velmora_interface INTERFACE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(velmora_interface INTERFACE platform_com)

add_library(printengine_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Errore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ValoriComando.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClsComandi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ModelloStampa.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrinterDialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clsModStampa.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SuperficieCom.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StampaTesto.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StampaForme.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Replay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StampaCampi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StampaCampiCom.cpp)
target_include_directories(printengine_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(printengine_core PUBLIC velmora_interface platform platform_print platform_com
  printengine_draw printengine_barcode)

# The component library: only the four entry points are visible to clients.
add_library(velmora SHARED ${CMAKE_CURRENT_LIST_DIR}/VelmoraServer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtPrinterDialogs.cpp)
set_target_properties(velmora PROPERTIES OUTPUT_NAME velmora
  CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
  LINK_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/velmora.map)
target_link_libraries(velmora PRIVATE printengine_core printengine_preview platform_widgets
  Qt6::PrintSupport)
target_link_options(velmora PRIVATE
  -Wl,--version-script=${CMAKE_CURRENT_LIST_DIR}/velmora.map -Wl,--no-undefined)
