# Tests of the print library core: specification strings, job, pages and
# commands, printers, model files; the component as a client drives it; and
# mutated inputs.
tessaro_add_test(NAME printengine_core_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CoreTestMain.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ValoriComandoTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/JobTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/OutputStampaTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/PrinterTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ModelloTest.cpp
  LIBS printengine_core)

# The component through the component layer only: the library is loaded at run time.
tessaro_add_test(NAME printengine_component_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CoreTestMain.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ComponentTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/InterfaceOrderTest.cpp
  LIBS velmora_interface platform_com Qt6::Gui)
add_dependencies(printengine_component_tests velmora)

# Mutated model files and specification strings (also run under the sanitizers).
tessaro_add_test(NAME printengine_core_fuzz_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CoreTestMain.cpp
          ${CMAKE_CURRENT_LIST_DIR}/CoreFuzzTest.cpp
  LIBS printengine_core
  SANITIZE)

# The command line, run as a program.
tessaro_add_test(NAME velmora_cli_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CoreTestMain.cpp
          ${CMAKE_CURRENT_LIST_DIR}/VelmoraCliTest.cpp
  LIBS Qt6::Gui)
add_dependencies(velmora_cli_tests velmora-cli velmora)

# Drawing commands and page replays, checked on the pixels of small pages.
tessaro_add_test(NAME printengine_commands_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CoreTestMain.cpp
          ${CMAKE_CURRENT_LIST_DIR}/CommandsTest.cpp
  LIBS printengine_core)

# Data fields, column fields, the body-row and label grids, drawn on small pages.
tessaro_add_test(NAME printengine_fields_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CoreTestMain.cpp
          ${CMAKE_CURRENT_LIST_DIR}/FieldsTest.cpp
  LIBS printengine_core)

# Barcode commands printed by the engine and the command line, read back by zbarimg.
find_program(TESSARO_ZBARIMG_CMD zbarimg)
if(NOT TESSARO_ZBARIMG_CMD)
  set(TESSARO_ZBARIMG_CMD zbarimg)  # the test reports it missing
endif()
tessaro_add_test(NAME printengine_barcode_command_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CoreTestMain.cpp
          ${CMAKE_CURRENT_LIST_DIR}/BarcodeCommandTest.cpp
  LIBS printengine_core)
target_compile_definitions(printengine_barcode_command_tests PRIVATE
  TESSARO_ZBARIMG="${TESSARO_ZBARIMG_CMD}")
add_dependencies(printengine_barcode_command_tests velmora-cli velmora)
