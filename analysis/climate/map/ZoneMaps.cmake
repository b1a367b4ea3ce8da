# Turns the region map of Italy (npm package @svg-maps/italy, CC BY 4.0, installed by
# scripts/install-deps) into the two pictures of the calculators, each region filled
# with the colour of its zone, and a Qt resource holding them.
# In: CLIMATE_ITALY_SVG (source map), CLIMATE_MAP_DIR (output folder).
# Out: CLIMATE_MAP_QRC (the resource file to compile in).

# Region -> colour. Keep in step with ZoneMap.cpp (kRegions and the zone colours).
set(_snow_I_alpina "#4f7fc9")
set(_snow_I_mediterranea "#8fb8e8")
set(_snow_II "#a8d89c")
set(_snow_III "#f2d98a")
set(_snow_fills
  aosta-valley ${_snow_I_alpina} piedmont ${_snow_I_alpina} lombardy ${_snow_I_alpina}
  trentino-south-tyrol ${_snow_I_alpina} friuli-venezia-giulia ${_snow_I_alpina}
  emilia-romagna ${_snow_I_mediterranea}
  veneto ${_snow_II} liguria ${_snow_II} tuscany ${_snow_II} marche ${_snow_II}
  umbria ${_snow_II} abruzzo ${_snow_II} molise ${_snow_II} apulia ${_snow_II}
  lazio ${_snow_III} campania ${_snow_III} basilicata ${_snow_III} calabria ${_snow_III}
  sicily ${_snow_III} sardinia ${_snow_III})
set(_wind_fills
  aosta-valley "#8fb8e8" piedmont "#8fb8e8" lombardy "#8fb8e8" trentino-south-tyrol "#8fb8e8"
  veneto "#8fb8e8" friuli-venezia-giulia "#8fb8e8"
  emilia-romagna "#b5d98a"
  tuscany "#f2d98a" marche "#f2d98a" umbria "#f2d98a" lazio "#f2d98a" abruzzo "#f2d98a"
  molise "#f2d98a" campania "#f2d98a" apulia "#f2d98a" basilicata "#f2d98a" calabria "#f2d98a"
  sicily "#f0a878" sardinia "#c9a0dc" liguria "#7ccfc4")

function(_climate_colour_map source fills out)
  set(svg "${source}")
  list(LENGTH fills n)
  math(EXPR last "${n} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET fills ${i} id)
    list(GET fills ${j} colour)
    string(REPLACE "id=\"${id}\""
      "id=\"${id}\" fill=\"${colour}\" stroke=\"#5a5a5a\" stroke-width=\"0.6\"" svg "${svg}")
  endforeach()
  file(WRITE "${out}.tmp" "${svg}")
  file(COPY_FILE "${out}.tmp" "${out}" ONLY_IF_DIFFERENT)
  file(REMOVE "${out}.tmp")
endfunction()

file(MAKE_DIRECTORY ${CLIMATE_MAP_DIR})
if(EXISTS ${CLIMATE_ITALY_SVG})
  file(READ ${CLIMATE_ITALY_SVG} _italy)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CLIMATE_ITALY_SVG})
else()
  message(WARNING "Map of Italy not found (${CLIMATE_ITALY_SVG}); run scripts/install-deps. "
                  "The calculators show no map until it is there.")
  # Installing the package adds a folder under assets/: the next build configures again.
  if(EXISTS ${PROJECT_SOURCE_DIR}/assets)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets)
  endif()
  # Same frame, no regions: the dialogs say the map is missing.
  set(_italy "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 610 793\"></svg>\n")
endif()
_climate_colour_map("${_italy}" "${_snow_fills}" ${CLIMATE_MAP_DIR}/snow_map.svg)
_climate_colour_map("${_italy}" "${_wind_fills}" ${CLIMATE_MAP_DIR}/wind_map.svg)

set(CLIMATE_MAP_QRC ${CLIMATE_MAP_DIR}/climate_maps.qrc)
file(WRITE ${CLIMATE_MAP_QRC}.tmp
"<RCC>
  <qresource prefix=\"/climate/map\">
    <file>snow_map.svg</file>
    <file>wind_map.svg</file>
  </qresource>
</RCC>
")
file(COPY_FILE ${CLIMATE_MAP_QRC}.tmp ${CLIMATE_MAP_QRC} ONLY_IF_DIFFERENT)
file(REMOVE ${CLIMATE_MAP_QRC}.tmp)
