# Installing and packaging: `cmake --install` puts the two programs, the help
# page, the icon, the desktop entry, the AppStream metadata and a manual page
# for each program where the freedesktop conventions put them;
# `cpack -G DEB` packs the same into a Debian package whose dependencies are
# read from the libraries the programs link.
include(GNUInstallDirs)

# The desktop's name for the program: the desktop entry, the metadata and the
# icon files carry it (the desktop program names it too, in app/main.cpp).
set(SUNDIAL_APP_ID org.wallsundial.Designer)
set(SUNDIAL_HOMEPAGE "https://example.org/wall-sundial"
    CACHE STRING "The project's web page, for the package and the AppStream metadata")
set(SUNDIAL_SCREENSHOT_URL "${SUNDIAL_HOMEPAGE}/raw/main/assets/screenshot.png"
    CACHE STRING "Where software centres fetch the screenshot (assets/screenshot.png) from")

# The help page and anything else the desktop program reads at run time. The
# program looks for it at ../share/sundial beside its own folder.
set(SUNDIAL_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/sundial)

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_out ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS sundial-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The licence and what the programs link, in Debian's machine-readable form.
install(FILES ${packaging}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/sundial)
set(manual_pages sundial-cli.1)

if(SUNDIAL_BUILD_GUI)
    target_compile_definitions(sundial PRIVATE SUNDIAL_VERSION="${PROJECT_VERSION}")
    install(TARGETS sundial RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/assets/design.html DESTINATION ${SUNDIAL_INSTALL_DATADIR})
    install(FILES ${packaging}/${SUNDIAL_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    # The dial project's file type, so that the file manager opens projects
    # with the program.
    install(FILES ${packaging}/${SUNDIAL_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
    configure_file(${packaging}/${SUNDIAL_APP_ID}.metainfo.xml.in
                   ${packaging_out}/${SUNDIAL_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${packaging_out}/${SUNDIAL_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size 48 128 256)
        install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${SUNDIAL_APP_ID}.png)
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/scalable.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${SUNDIAL_APP_ID}.svg)
    list(APPEND manual_pages sundial.1)
endif()

# Manual pages go compressed, as Debian's policy asks (gzip -n: the same bytes
# on every build).
find_program(SUNDIAL_GZIP gzip)
foreach(page ${manual_pages})
    if(SUNDIAL_GZIP)
        add_custom_command(
            OUTPUT ${packaging_out}/${page}.gz
            COMMAND ${CMAKE_COMMAND} -E copy ${packaging}/man/${page} ${packaging_out}/${page}
            COMMAND ${SUNDIAL_GZIP} -9nf ${packaging_out}/${page}
            DEPENDS ${packaging}/man/${page}
            VERBATIM)
        list(APPEND manual_outputs ${packaging_out}/${page}.gz)
        install(FILES ${packaging_out}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    else()
        install(FILES ${packaging}/man/${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
endforeach()
if(manual_outputs)
    add_custom_target(sundial_manual_pages ALL DEPENDS ${manual_outputs})
endif()

set(CPACK_PACKAGE_NAME sundial)
set(CPACK_PACKAGE_VENDOR "Wall Sundial Designer")
set(CPACK_PACKAGE_CONTACT "Wall Sundial Designer maintainers <maintainers@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design sundials for walls, gardens and any flat face")
set(CPACK_PACKAGE_DESCRIPTION
    "Name a place (one of 270 built-in towns, or a latitude and longitude), the true
bearing the wall faces and the time zone; the program computes the gnomon's
angle and offset and the angle of every clock hour line, shows them as a scale
drawing, a table and an equation-of-time chart, and writes a full-size sheet
to paint from. sundial-cli makes the same for one site or a list of sites.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${SUNDIAL_HOMEPAGE})
# Depends: read by dpkg-shlibdeps from the libraries the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The font a DXF's outlined text is drawn from.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
# The sheet and the help page are handed to the desktop's viewer and browser
# through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
include(CPack)
