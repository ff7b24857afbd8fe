# Desktop integration and the Debian package.
#
# `cmake --install` puts, besides the program (src/CMakeLists.txt):
#   bin/formular-launch                  starts the program in the documents folder
#   share/applications/formular.desktop  the menu entry, English and Czech
#   share/icons/hicolor/*/apps/formular  the icon, every PNG size and the SVG
# `cpack -G DEB` in the build folder wraps the same tree into
# formular_<version>_<arch>.deb.

include(GNUInstallDirs)

set(FORMULAR_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)
set(FORMULAR_ICON_DIR ${CMAKE_CURRENT_LIST_DIR}/../resources/icon)

install(PROGRAMS ${FORMULAR_PACKAGING_DIR}/formular-launch
        DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${FORMULAR_PACKAGING_DIR}/formular.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

file(GLOB formular_icon_pngs ${FORMULAR_ICON_DIR}/formular-*.png)
foreach(png IN LISTS formular_icon_pngs)
    get_filename_component(stem ${png} NAME_WE)
    string(REGEX REPLACE "^formular-" "" size ${stem})
    install(FILES ${png}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME formular.png)
endforeach()
install(FILES ${FORMULAR_ICON_DIR}/formular.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Debian package
set(CPACK_PACKAGE_NAME formular)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vireo Loggers")
set(CPACK_PACKAGE_CONTACT "Vireo Loggers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "order form for TQ8 / TQ8R data-logger central units")
set(CPACK_PACKAGE_DESCRIPTION
"Formular configures a TQ8 or TQ8R data-logger central unit or the ZK222
cabinet assembly: the model, an input module on each of the sixteen
channels and the accessories, with the running price. It writes the order
document formular.rtf in Czech or in English.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.vireologgers.cz")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vireo Loggers")
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

include(CPack)
