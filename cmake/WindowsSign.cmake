# Run by CPack (CPACK_PRE_BUILD_SCRIPTS, cmake/Windows.cmake) after it has
# installed the program into its staging folder, stripped, and before NSIS
# packs it: with a code-signing certificate named in the environment
# (FORMULAR_SIGN_PKCS12, tools/windows-sign.sh), formular.exe is signed
# there, so that the installer puts down the signed program. Without one it
# stays unsigned, as tools/windows.sh says.
if("$ENV{FORMULAR_SIGN_PKCS12}" STREQUAL "")
    return()
endif()
set(program ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/formular.exe)
execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tools/windows-sign.sh ${program}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "formular.exe was not signed: no installer")
endif()
