# Barcode encoders and the library's own barcode font, generated at build time and
# embedded as a Qt resource.

# The font generator needs fontTools: prefer the system interpreter, where the Debian
# package installs it, over any other python3 on the PATH.
find_program(BARCODE_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT BARCODE_PYTHON)
  find_program(BARCODE_PYTHON NAMES python3)
endif()
if(BARCODE_PYTHON)
  execute_process(COMMAND ${BARCODE_PYTHON} -c "import fontTools"
    RESULT_VARIABLE BARCODE_FONTTOOLS_MISSING OUTPUT_QUIET ERROR_QUIET)
  if(BARCODE_FONTTOOLS_MISSING)
    message(WARNING "fontTools not found for ${BARCODE_PYTHON}: run scripts/install-deps "
                    "(python3-fonttools) before building the barcode font")
  endif()
else()
  message(WARNING "python3 not found: run scripts/install-deps before building the barcode font")
  set(BARCODE_PYTHON python3)
endif()

set(BARCODE_FONT_DIR ${CMAKE_CURRENT_BINARY_DIR}/barcodefont)
set(BARCODE_FONT_FILE ${BARCODE_FONT_DIR}/VelmoraEANUPC.ttf)
add_custom_command(
  OUTPUT ${BARCODE_FONT_FILE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${BARCODE_FONT_DIR}
  COMMAND ${BARCODE_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/barcodefont/make_barcode_font.py
          ${BARCODE_FONT_FILE}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/barcodefont/make_barcode_font.py
  COMMENT "Generating the barcode font"
  VERBATIM)

add_library(printengine_barcode STATIC
  ${CMAKE_CURRENT_LIST_DIR}/UPCEAN.cpp
  ${CMAKE_CURRENT_LIST_DIR}/barcodefont/BarcodeFont.cpp)
target_include_directories(printengine_barcode PUBLIC
  ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/barcodefont)
target_link_libraries(printengine_barcode PUBLIC platform Qt6::Gui)
qt_add_resources(printengine_barcode barcode_font
  PREFIX /barcodefont
  BASE ${BARCODE_FONT_DIR}
  FILES ${BARCODE_FONT_FILE})
