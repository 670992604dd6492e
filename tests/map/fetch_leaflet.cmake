# Fetches Leaflet 1.9.4 with npm into NPM_PREFIX unless LEAFLET_DIR already holds it. Never fails:
# without npm or a network the browser test says why it skipped.
if(EXISTS ${LEAFLET_DIR}/leaflet.js)
  return()
endif()
find_program(NPM npm)
if(NOT NPM)
  message(STATUS "npm not found; the map page browser test will skip")
  return()
endif()
file(MAKE_DIRECTORY ${NPM_PREFIX})
execute_process(COMMAND ${NPM} install --no-save --no-audit --no-fund --prefix ${NPM_PREFIX} leaflet@1.9.4
                RESULT_VARIABLE _result TIMEOUT 120)
if(NOT _result EQUAL 0)
  message(STATUS "npm install leaflet@1.9.4 failed (${_result}); the map page browser test will skip")
endif()
