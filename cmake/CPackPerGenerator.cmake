# Read by cpack once per generator (CPACK_PROJECT_CONFIG_FILE).
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX "${CPACK_SKELVAR_DEB_PREFIX}")
elseif(CPACK_GENERATOR STREQUAL "TGZ")
  # The portable archive is the program folder alone; a menu entry needs an installation.
  list(GET CPACK_INSTALL_CMAKE_PROJECTS 0 _build_dir)
  list(GET CPACK_INSTALL_CMAKE_PROJECTS 1 _project)
  set(CPACK_INSTALL_CMAKE_PROJECTS "${_build_dir};${_project};program;/")
endif()
