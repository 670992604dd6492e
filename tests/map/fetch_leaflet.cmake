# Fetches Leaflet 1.9.4 with npm into NPM_PREFIX unless LEAFLET_DIR holds it. Never fails: without
# npm or a network the browser test says why it skipped.
find_program(NPM npm)
if(NOT EXISTS ${LEAFLET_DIR}/leaflet.js AND NPM)
  execute_process(COMMAND ${NPM} install --no-save --no-audit --no-fund --prefix ${NPM_PREFIX}
                          leaflet@1.9.4 TIMEOUT 120)
endif()
