# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (GCC, posix
# threads). The same file builds Qt and libjpeg-turbo for Windows
# (tools/windows.sh) and the program itself:
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DCMAKE_FIND_ROOT_PATH=<prefix of the Windows libraries> ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(formular_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${formular_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${formular_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${formular_mingw}-windres)
set(CMAKE_AR /usr/bin/${formular_mingw}-ar CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB /usr/bin/${formular_mingw}-ranlib CACHE FILEPATH "Ranlib")
set(CMAKE_ASM_NASM_OBJECT_FORMAT win64)

# Libraries and headers come from the MinGW sysroot and from the prefixes
# named on the command line (CMAKE_FIND_ROOT_PATH), never from the build
# machine; programs (moc, nasm, ...) come from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${formular_mingw})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Where the GCC runtime DLLs (libstdc++-6, libgcc_s_seh-1) and the
# winpthreads DLL live, for running and for shipping the program.
set(FORMULAR_MINGW_RUNTIME_DIRS /usr/lib/gcc/${formular_mingw}/12-posix /usr/${formular_mingw}/lib)
