# Barcode encoders, and symbols rendered in the library's barcode font read back by a real
# barcode reader (zbarimg, Debian zbar-tools).
if(TARGET printengine_barcode)
  tessaro_add_test(NAME upcean_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/UPCEANTest.cpp ${CMAKE_CURRENT_LIST_DIR}/BarcodeFontTest.cpp
    LIBS printengine_barcode
    SANITIZE)

  find_program(TESSARO_ZBARIMG zbarimg)
  if(NOT TESSARO_ZBARIMG)
    set(TESSARO_ZBARIMG zbarimg)  # the test reports it missing
  endif()
  tessaro_add_test(NAME barcode_render_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/BarcodeRenderTest.cpp
    LIBS printengine_barcode Qt6::Gui)
  target_compile_definitions(barcode_render_tests PRIVATE TESSARO_ZBARIMG="${TESSARO_ZBARIMG}")
endif()
