# Installing and packaging: the programs in bin/, the data folder with the help pages in
# share/nightvanegl/data, a menu entry and icons for each program; `cpack -G DEB` builds the
# Debian package. Included at the end of the top-level CMakeLists.txt, once every program
# target exists.

# The programs' icons, painted in code, as PNG files in the freedesktop sizes.
add_executable(make_app_icons ${CMAKE_SOURCE_DIR}/resources/tools/MakeAppIcons.cpp)
target_link_libraries(make_app_icons PRIVATE nv_icons)
set(nv_icon_dir "${CMAKE_BINARY_DIR}/icons")
add_custom_command(OUTPUT "${nv_icon_dir}/hicolor/256x256/apps/nightvanegl.png"
                   COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
                           $<TARGET_FILE:make_app_icons> "${nv_icon_dir}"
                   DEPENDS make_app_icons
                   COMMENT "Painting the programs' icons")
add_custom_target(app_icons ALL DEPENDS "${nv_icon_dir}/hicolor/256x256/apps/nightvanegl.png")

install(TARGETS NightvaneGl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/desktop/nightvanegl.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
set(nv_icon_files PATTERN "nightvanegl.png")
if(TARGET Tessmoor)
  install(TARGETS Tessmoor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES resources/desktop/tessmoor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  list(APPEND nv_icon_files PATTERN "tessmoor.png")
endif()
install(DIRECTORY "${nv_icon_dir}/hicolor" DESTINATION ${CMAKE_INSTALL_DATADIR}/icons FILES_MATCHING ${nv_icon_files})
# The data folder (scripts/build-data) holds the catalogues, the pictures, the settings file and
# the help pages; the programs look for it at share/nightvanegl/data beside their bin/ folder.
install(DIRECTORY "${NV_DATA_DIR}/" DESTINATION ${NV_INSTALL_DATA_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nightvanegl)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "NightvaneGl")
set(CPACK_PACKAGE_CONTACT "NightvaneGl maintainers <nightvanegl@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop planetarium: interactive sky chart and asteroid orbit viewer")
set(CPACK_PACKAGE_DESCRIPTION
    "NightvaneGl draws the sky for any place, date and time: Hipparcos stars, the Sun, Moon and planets,
constellation figures, Messier objects, grids and the Milky Way, turned and zoomed with the mouse and
keyboard, animated in time, saved, copied or printed. skycalc prints the same numbers on the command
line. Tessmoor shows asteroids on their orbits around the Sun.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The shared libraries the programs link (Qt 6, GL, GLU, EGL, and liberfa once the chart links
# it) come from dpkg-shlibdeps; Mesa's drivers and EGL vendor library and the label font are
# loaded at run time and are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri, libegl-mesa0, fonts-dejavu-core")
include(CPack)
