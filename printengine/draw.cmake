# Plane geometry and the drawing classes of the print library.
add_library(printengine_draw STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ModuloFunzioniGeometria.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DrawingObject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Arco.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Cerchio.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Rettangolo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/polilinea.cpp
  ${CMAKE_CURRENT_LIST_DIR}/superficie.cpp
  ${CMAKE_CURRENT_LIST_DIR}/testo.cpp)
target_include_directories(printengine_draw PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(printengine_draw PUBLIC platform_draw platform)
