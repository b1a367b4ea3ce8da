# Tests of the surfaces, the device context, the plane geometry and the drawing classes.
tessaro_add_test(NAME surface_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../platform/SurfaceTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/../platform/DeviceContextTest.cpp
  LIBS platform_draw platform)
tessaro_add_test(NAME draw_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/GeometryTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/DrawClassesTest.cpp
  LIBS printengine_draw)
target_include_directories(draw_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../platform)
target_include_directories(surface_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../platform)
