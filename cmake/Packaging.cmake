# cpack, run in a build folder, makes a .deb that installs the program folder under
# /opt/skelvar with a menu entry and an icon, and a portable .tar.gz of the program folder.
# The install() rules sit next to the targets in src/CMakeLists.txt; components keep the
# desktop integration (absolute /usr/share paths) out of the portable archive.

set(CPACK_PACKAGE_NAME skelvar)
set(CPACK_PACKAGE_VENDOR "Skelvar developers")
set(CPACK_PACKAGE_CONTACT "Skelvar developers <skelvar@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Companion for live-traffic flight-simulator players: log analysis and model matching")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads the live-traffic add-on's logs, lists the aircraft it could not match to an installed\n\
model and edits its model-matching file; skelvar-cli does the same without a window.")
set(CPACK_PACKAGE_FILE_NAME
    "skelvar-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB TGZ)
endif()
set(CPACK_SOURCE_GENERATOR "")

# Per generator at cpack time: the install prefix and, for the archive, the program alone.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackPerGenerator.cmake)
set(CPACK_SKELVAR_DEB_PREFIX /opt/skelvar)

set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps (dpkg-dev) derives Qt's and the C++ runtime's packages from the executables.
find_program(SKELVAR_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(SKELVAR_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6widgets6, libqt6charts6, libqt6network6, libqt6gui6, libqt6core6, libstdc++6, libc6")
endif()

include(CPack)

# The built .deb, unpacked into a temporary root, must hold a companion that runs. Registered
# for the optimised build that packages are made from (the release preset); it skips until
# cpack has made the package (make package runs it after cpack).
find_program(SKELVAR_DPKG_DEB dpkg-deb)
if(SKELVAR_DPKG_DEB AND CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT WIN32)
  add_test(NAME package_deb_unpacked_cli_runs
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/test-package.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(package_deb_unpacked_cli_runs PROPERTIES LABELS package SKIP_RETURN_CODE 77)
endif()
