# What `cmake --install` puts in place and what the Debian package holds: the program, its menu
# entry, icon, AppStream metadata, manual page, copyright and changelog. Test harnesses, tests and
# benchmarks have no install rules and stay in the build folder.

include(GNUInstallDirs)

# The reverse-DNS application id of the menu entry, icon and metadata (data/ file names bear it).
set(KLARWELL_APP_ID com.orvane.klarwell)

set(KLARWELL_MAINTAINER "Orvane <klarwell@orvane.example>"
    CACHE STRING "Maintainer of the Debian package, as \"Name <address>\"")

# klarwell_install_programs(TARGET ...): installs programs in bin/, where klarwell goes.
function(klarwell_install_programs)
    install(TARGETS ${ARGN} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

# Debian wants manual pages and changelogs compressed at the highest level and without a time
# stamp, so that the same sources give the same package.
function(klarwell_gzip source output)
    execute_process(COMMAND gzip -9nc INPUT_FILE ${source} OUTPUT_FILE ${output}
        COMMAND_ERROR_IS_FATAL ANY)
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()

set(klarwell_data ${PROJECT_SOURCE_DIR}/data)
set(klarwell_staged ${PROJECT_BINARY_DIR}/install-data)
file(MAKE_DIRECTORY ${klarwell_staged})

install(FILES ${klarwell_data}/${KLARWELL_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${klarwell_data}/${KLARWELL_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${klarwell_data}/icons/${size}x${size}/klarwell.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${KLARWELL_APP_ID}.png)
endforeach()
install(FILES ${klarwell_data}/icons/klarwell.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${KLARWELL_APP_ID}.svg)

foreach(page klarwell klarwell-undo)
    klarwell_gzip(${klarwell_data}/${page}.1 ${klarwell_staged}/${page}.1.gz)
    install(FILES ${klarwell_staged}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

configure_file(${PROJECT_SOURCE_DIR}/packaging/deb/changelog.in ${klarwell_staged}/changelog @ONLY)
klarwell_gzip(${klarwell_staged}/changelog ${klarwell_staged}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/deb/copyright ${klarwell_staged}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/klarwell)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME klarwell)
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_CONTACT ${KLARWELL_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clean the names of the audio files in a folder")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${PROJECT_SOURCE_DIR}/packaging/deb/description.txt)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no linked library tells: the platform plugins that open the window on X11 and Wayland, and
# the faces the window asks for (Liberation Sans, and DejaVu Sans Condensed for the index hint).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, fonts-dejavu-extra")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
