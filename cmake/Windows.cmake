# The Windows program: its icon and version information, the folder it is
# installed as and the installer (tools/windows.sh builds it all on Debian
# with MinGW-w64 and runs the tests under Wine).
#
# `cmake --install` (and so the installer, `cpack -G NSIS`) puts in one folder:
#   formular.exe                      the program, with its icon and version
#   Qt6Core/Gui/Widgets.dll, libjpeg-62.dll and the MinGW runtime
#                                     (libstdc++-6, libgcc_s_seh-1, libwinpthread-1)
#   platforms/qwindows.dll, styles/qwindowsvistastyle.dll
#   translations/qtbase_cs.qm         Qt's own texts in Czech
#   qt.conf                           keeps Qt's search for plugins in the folder

set(FORMULAR_WINDOWS_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging/windows)
set(FORMULAR_ICON_DIR ${CMAKE_CURRENT_LIST_DIR}/../resources/icon)

# The icon, every PNG size in one .ico.
find_program(FORMULAR_ICOTOOL icotool REQUIRED)
set(FORMULAR_ICO ${CMAKE_CURRENT_BINARY_DIR}/formular.ico)
set(formular_icon_pngs)
foreach(size IN ITEMS 16 32 48 64 128 256)
    list(APPEND formular_icon_pngs ${FORMULAR_ICON_DIR}/formular-${size}.png)
endforeach()
add_custom_command(OUTPUT ${FORMULAR_ICO}
    COMMAND ${FORMULAR_ICOTOOL} --create --output=${FORMULAR_ICO} ${formular_icon_pngs}
    DEPENDS ${formular_icon_pngs}
    COMMENT "Making formular.ico"
    VERBATIM)
enable_language(RC)
configure_file(${FORMULAR_WINDOWS_DIR}/formular.rc.in ${CMAKE_CURRENT_BINARY_DIR}/formular.rc @ONLY)
add_custom_target(formular_icon DEPENDS ${FORMULAR_ICO})
target_sources(formular PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/formular.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/formular.rc TARGET_DIRECTORY formular
    PROPERTIES OBJECT_DEPENDS ${FORMULAR_ICO})
add_dependencies(formular formular_icon)

# The DLLs the program loads, besides the system's.
set(formular_dlls $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>)
get_filename_component(formular_jpeg_root ${JPEG_INCLUDE_DIR} DIRECTORY)
find_file(FORMULAR_JPEG_DLL libjpeg-62.dll PATHS ${formular_jpeg_root}/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT FORMULAR_JPEG_DLL)
    message(FATAL_ERROR "libjpeg-62.dll not found in ${formular_jpeg_root}/bin")
endif()
list(APPEND formular_dlls ${FORMULAR_JPEG_DLL})
set(formular_dll_dirs ${formular_jpeg_root}/bin)
foreach(dll IN ITEMS libstdc++-6 libgcc_s_seh-1 libwinpthread-1)
    find_file(FORMULAR_${dll}_DLL ${dll}.dll PATHS ${FORMULAR_MINGW_RUNTIME_DIRS} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT FORMULAR_${dll}_DLL)
        message(FATAL_ERROR "${dll}.dll not found in ${FORMULAR_MINGW_RUNTIME_DIRS} (cmake/mingw-w64.cmake)")
    endif()
    list(APPEND formular_dlls ${FORMULAR_${dll}_DLL})
    get_filename_component(dir ${FORMULAR_${dll}_DLL} DIRECTORY)
    list(APPEND formular_dll_dirs ${dir})
endforeach()

# Qt's Czech catalogue is the same file on every system: the build machine's.
find_file(FORMULAR_QTBASE_CS_QM qtbase_cs.qm
    PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT FORMULAR_QTBASE_CS_QM)
    message(FATAL_ERROR "qtbase_cs.qm not found (Debian package qt6-translations-l10n)")
endif()
# Beside the program and the tests in the build folder too, where they look.
foreach(dir IN ITEMS src tests)
    configure_file(${FORMULAR_QTBASE_CS_QM} ${CMAKE_BINARY_DIR}/${dir}/translations/qtbase_cs.qm COPYONLY)
endforeach()

install(FILES ${formular_dlls} ${FORMULAR_WINDOWS_DIR}/qt.conf DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
install(FILES ${FORMULAR_QTBASE_CS_QM} DESTINATION translations)
# The update check's older installer carries a file that the newer one lacks.
set(FORMULAR_EXTRA_INSTALL_FILE "" CACHE FILEPATH "A file to install into extra/ (update checks only)")
if(FORMULAR_EXTRA_INSTALL_FILE)
    install(FILES ${FORMULAR_EXTRA_INSTALL_FILE} DESTINATION extra)
endif()

# The tests run under Wine (tools/wine-test.sh), which finds the DLLs on the
# Qt, libjpeg and MinGW folders; each test program gets a Wine prefix of its
# own under wine/ in the build folder.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    get_target_property(formular_qt_core Qt6::Core LOCATION)
    get_filename_component(formular_qt_bin ${formular_qt_core} DIRECTORY)
    list(PREPEND formular_dll_dirs ${formular_qt_bin})
    list(REMOVE_DUPLICATES formular_dll_dirs)
    list(JOIN formular_dll_dirs ":" formular_dll_path)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-test.sh ${formular_dll_path} ${CMAKE_BINARY_DIR}/wine)
endif()

# The installer: formular-<version>-win64.exe, a 64-bit Unicode NSIS
# installer (silent with /S) that installs for the current user, without
# administrator rights, into %LOCALAPPDATA%\Programs\Formular, or for all
# users into Program Files\Formular (/ALLUSERS, or the choice on its page, as
# administrator); listed in Add/Remove programs with its uninstaller, with
# the Start-menu entry "TQ8 Order Form" that starts the program in the
# user's Documents folder (where it writes formular.rtf). Our copy of CPack's
# script, packaging/windows/NSIS.template.in, does the per-user part.
list(PREPEND CMAKE_MODULE_PATH ${FORMULAR_WINDOWS_DIR})
set(CPACK_GENERATOR NSIS)
# The NSIS script text below goes into CPack's configuration as it is written.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_FILE_NAME formular-${FORMULAR_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Formular)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Formular)
# The current user's program folder (all users': the template's $PROGRAMFILES64).
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\Programs")
# A 64-bit Unicode installer: the default x86 one does not run on a Windows
# (or Wine) without 32-bit support. CPack's script takes this line among its
# defines, ahead of anything compressed.
set(CPACK_NSIS_DEFINES "  Target amd64-unicode")
set(CPACK_NSIS_PACKAGE_NAME "TQ8 Order Form")
set(CPACK_NSIS_DISPLAY_NAME "TQ8 Order Form")
set(CPACK_NSIS_MUI_ICON ${FORMULAR_ICO})
set(CPACK_NSIS_MUI_UNIICON ${FORMULAR_ICO})
set(CPACK_NSIS_INSTALLED_ICON_NAME formular.exe)
set(CPACK_NSIS_URL_INFO_ABOUT "https://www.vireologgers.cz")
set(CPACK_NSIS_CONTACT "info@vireologgers.cz")
# The shortcut's working folder is the folder current at CreateShortCut: the
# Documents folder of the user who installs, whatever the context of the
# Start menu (all users when installed as administrator).
set(CPACK_NSIS_CREATE_ICONS_EXTRA "
  SetShellVarContext current
  SetOutPath \"$DOCUMENTS\"
  StrCmp $SV_ALLUSERS \"AllUsers\" 0 +2
    SetShellVarContext all
  CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\TQ8 Order Form.lnk\" \"$INSTDIR\\formular.exe\"
  SetOutPath \"$INSTDIR\"")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "
  Delete \"$SMPROGRAMS\\$MUI_TEMP\\TQ8 Order Form.lnk\"")
# With a code-signing certificate, formular.exe is signed once it is staged
# (installed and stripped), before NSIS packs it; tools/windows.sh signs the
# installer afterwards.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/WindowsSign.cmake)
