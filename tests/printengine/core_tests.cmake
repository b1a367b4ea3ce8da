# Tests of the print library core: specification strings, job, pages and
# commands, printers, model files; the component as a client drives it; and
# mutated inputs.
tessaro_add_test(NAME printengine_core_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CoreTestMain.cpp
          ${CMAKE_CURRENT_LIST_DIR}/SpecificaTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/JobTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/PrinterTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ModelloTest.cpp
  LIBS printengine_core)
