# Installation as a Linux desktop program, and the .deb made from it.
include(GNUInstallDirs)

set(VARNWICK_APP_ID "org.orrenby.Varnwick")
set(VARNWICK_DESKTOP_DIR "${PROJECT_SOURCE_DIR}/data/desktop")

install(TARGETS varnwick varnwick-cli varnwick-thumbnailer RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

# The default data files as the build left them beside the executables; the
# program copies them into the user's data folder on first start.
install(FILES "${CMAKE_BINARY_DIR}/bin/SkinFormats.ini" "${VARNWICK_FILTER_FILE}"
    "${CMAKE_BINARY_DIR}/bin/tutorial.txt" "${CMAKE_BINARY_DIR}/bin/ModelSlots.ini"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/varnwick")

install(FILES "${VARNWICK_DESKTOP_DIR}/${VARNWICK_APP_ID}.desktop"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${VARNWICK_DESKTOP_DIR}/${VARNWICK_APP_ID}.metainfo.xml"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${VARNWICK_DESKTOP_DIR}/icons/scalable/${VARNWICK_APP_ID}.svg"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
foreach(size 16 32 48 64 128 256)
    install(FILES "${VARNWICK_DESKTOP_DIR}/icons/${size}/${VARNWICK_APP_ID}.png"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
install(FILES "${VARNWICK_DESKTOP_DIR}/varnwick.mime.xml"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages" RENAME varnwick.xml)
install(FILES "${VARNWICK_DESKTOP_DIR}/varnwick.thumbnailer"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/thumbnailers")

# The manual pages and the changelog go out compressed as Debian expects:
# gzip -9 without a name or time stamp, so that every build gives the same
# bytes.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed_dir "${CMAKE_BINARY_DIR}/compressed")
function(varnwick_compress input name)
    add_custom_command(OUTPUT "${compressed_dir}/${name}.gz"
        COMMAND ${CMAKE_COMMAND} -E copy "${input}" "${compressed_dir}/${name}"
        COMMAND "${GZIP_PROGRAM}" -9nf "${compressed_dir}/${name}"
        DEPENDS "${input}" VERBATIM)
endfunction()
set(man_pages)
foreach(program varnwick varnwick-cli varnwick-thumbnailer)
    varnwick_compress("${PROJECT_SOURCE_DIR}/docs/${program}.1" "${program}.1")
    list(APPEND man_pages "${compressed_dir}/${program}.1.gz")
endforeach()
varnwick_compress("${PROJECT_SOURCE_DIR}/data/debian/changelog" changelog)
add_custom_target(varnwick_compressed ALL DEPENDS ${man_pages} "${compressed_dir}/changelog.gz")
install(FILES ${man_pages} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${compressed_dir}/changelog.gz" "${PROJECT_SOURCE_DIR}/data/debian/copyright"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/varnwick")

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "varnwick")
set(CPACK_PACKAGE_VENDOR "${VARNWICK_COMPANY}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Writes the .int file for an Unreal Tournament player skin")
set(CPACK_PACKAGE_DESCRIPTION "Varnwick reads a skin's texture package (.utx), drops the names
that are not skin textures, guesses the skin type, lets the user prune the
list and writes the .int localisation file the game needs. It comes with a
five-step wizard, the command varnwick-cli for batch use, and a thumbnailer
that shows a package's first skin texture in file managers.")
set(CPACK_PACKAGE_CONTACT "${VARNWICK_MAIL}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VARNWICK_COMPANY} <${VARNWICK_MAIL}>")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VARNWICK_WEBSITE}")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
# The library dependencies come from the binaries themselves (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
include(CPack)
