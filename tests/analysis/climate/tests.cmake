# Snow and wind calculators: formulas, command line, map and dialogs.
find_package(Qt6 REQUIRED COMPONENTS Test)

tessaro_add_test(NAME climate_formulas_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SnowLoadTest.cpp ${CMAKE_CURRENT_LIST_DIR}/WindLoadTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ClimateCliTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ZoneMapTest.cpp
  LIBS climate)

tessaro_add_test(NAME climate_dialogs_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SnowDialogTest.cpp ${CMAKE_CURRENT_LIST_DIR}/WindDialogTest.cpp
  LIBS climate_ui Qt6::Test)
