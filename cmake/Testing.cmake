# tessaro_add_test(NAME name SOURCES a.cpp ... LIBS lib ... [SANITIZE])
# One CTest test per executable; windows run headless, settings go to a scratch folder.
# SANITIZE marks the tests that ./test also runs in the sanitizer build (label
# "sanitize", built by the target sanitizer_tests).
if(NOT TARGET sanitizer_tests)
  add_custom_target(sanitizer_tests)
endif()

function(tessaro_add_test)
  cmake_parse_arguments(T "SANITIZE" "NAME" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  # Failures print Qt strings as text everywhere.
  target_compile_options(${T_NAME} PRIVATE -include ${PROJECT_SOURCE_DIR}/tests/support/QtPrinters.h)
  target_compile_definitions(${T_NAME} PRIVATE
    TESSARO_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures"
    TESSARO_TEST_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config/${T_NAME};LC_ALL=C.UTF-8"
    TIMEOUT 600)
  if(T_SANITIZE)
    set_tests_properties(${T_NAME} PROPERTIES LABELS sanitize)
    add_dependencies(sanitizer_tests ${T_NAME})
  endif()
endfunction()
