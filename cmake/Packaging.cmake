# Desktop integration and the Debian package (the Windows folder and
# installer: cmake/Windows.cmake).
#
# `cmake --install` puts, besides the program (src/CMakeLists.txt):
#   bin/formular-launch                  starts the program in the documents folder
#   share/applications/formular.desktop  the menu entry, English and Czech
#   share/icons/hicolor/*/apps/formular  the icon, every PNG size and the SVG
#   share/metainfo/cz.vireologgers.formular.metainfo.xml
#                                        what software centres show (AppStream)
#   share/man/man1/formular{,-launch}.1.gz  the manual pages
#   share/doc/formular/changelog.gz, copyright
#                                        the release history and the terms
# `cpack -G DEB` in the build folder wraps the same tree into
# formular_<version>_<arch>.deb.

include(GNUInstallDirs)

if(NOT WIN32)
    set(FORMULAR_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)
    set(FORMULAR_ICON_DIR ${CMAKE_CURRENT_LIST_DIR}/../resources/icon)

    install(PROGRAMS ${FORMULAR_PACKAGING_DIR}/formular-launch
            DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${FORMULAR_PACKAGING_DIR}/formular.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

    foreach(size IN ITEMS 16 32 48 64 128 256)
        install(FILES ${FORMULAR_ICON_DIR}/formular-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME formular.png)
    endforeach()
    install(FILES ${FORMULAR_ICON_DIR}/formular.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${FORMULAR_PACKAGING_DIR}/cz.vireologgers.formular.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    # The release records name the project's version: the changelog's latest
    # entry, the metainfo's latest release and the manual pages' footers.
    function(formular_expect_version file regex)
        file(STRINGS ${FORMULAR_PACKAGING_DIR}/${file} lines REGEX "${regex}" LIMIT_COUNT 1)
        string(REGEX MATCH "${regex}" found "${lines}")
        if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
            message(FATAL_ERROR "packaging/${file} names version '${CMAKE_MATCH_1}', "
                                "the project is ${PROJECT_VERSION}: add the release there")
        endif()
    endfunction()
    formular_expect_version(changelog "^formular \\(([^)]+)\\)")
    formular_expect_version(cz.vireologgers.formular.metainfo.xml "<release version=\"([^\"]+)\"")
    formular_expect_version(formular.1 "^\\.TH .* \"formular ([^\"]+)\"")
    formular_expect_version(formular-launch.1 "^\\.TH .* \"formular ([^\"]+)\"")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
        ${FORMULAR_PACKAGING_DIR}/changelog
        ${FORMULAR_PACKAGING_DIR}/cz.vireologgers.formular.metainfo.xml
        ${FORMULAR_PACKAGING_DIR}/formular.1
        ${FORMULAR_PACKAGING_DIR}/formular-launch.1)

    # The changelog and the manual pages go in compressed as Debian wants them:
    # gzip -9n, the most compression and no name or time stamp inside, so the
    # same sources give the same bytes.
    find_program(FORMULAR_GZIP gzip REQUIRED)
    set(formular_gz_dir ${CMAKE_CURRENT_BINARY_DIR}/packaging)
    set(formular_gz_files)
    foreach(name changelog formular.1 formular-launch.1)
        add_custom_command(
            OUTPUT ${formular_gz_dir}/${name}.gz
            COMMAND ${CMAKE_COMMAND} -E copy ${FORMULAR_PACKAGING_DIR}/${name} ${formular_gz_dir}/${name}
            COMMAND ${FORMULAR_GZIP} -9nf ${formular_gz_dir}/${name}
            DEPENDS ${FORMULAR_PACKAGING_DIR}/${name}
            COMMENT "Compressing ${name}"
            VERBATIM)
        list(APPEND formular_gz_files ${formular_gz_dir}/${name}.gz)
    endforeach()
    add_custom_target(formular_packaging_docs ALL DEPENDS ${formular_gz_files})

    install(FILES ${formular_gz_dir}/changelog.gz ${FORMULAR_PACKAGING_DIR}/copyright
            DESTINATION ${CMAKE_INSTALL_DOCDIR})
    install(FILES ${formular_gz_dir}/formular.1.gz ${formular_gz_dir}/formular-launch.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# Debian package
set(CPACK_PACKAGE_NAME formular)
set(CPACK_PACKAGE_VERSION ${FORMULAR_VERSION})
set(CPACK_PACKAGE_VENDOR "Vireo Loggers")
# The maker's general address.
set(CPACK_PACKAGE_CONTACT "Vireo Loggers <info@vireologgers.cz>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "order form for TQ8 / TQ8R data-logger central units")
set(CPACK_PACKAGE_DESCRIPTION
"Formular configures a TQ8 or TQ8R data-logger central unit or the ZK222
cabinet assembly: the model, an input module on each of the sixteen
channels and the accessories, with the running price. It writes the order
document formular.rtf in Czech or in English.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.vireologgers.cz")
set(CPACK_STRIP_FILES ON)

if(NOT WIN32)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    # The Qt, libjpeg, C and C++ libraries come from dpkg-shlibdeps; the xcb
    # platform plugin ships in libqt6gui6 itself. By hand: the fonts the program
    # substitutes for the Windows ones, Qt's own Czech texts and the opener of
    # the document.
    find_program(FORMULAR_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(FORMULAR_DPKG_SHLIBDEPS)
        set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
        set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n, xdg-utils")
    else()
        set(CPACK_DEBIAN_PACKAGE_DEPENDS
            "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libjpeg62-turbo (>= 1.3.1), libstdc++6, libc6, fonts-liberation, qt6-translations-l10n, xdg-utils")
    endif()
    # The launcher asks it for the documents folder and falls back to the home folder.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-user-dirs")
endif()

include(CPack)
