# Cross-builds the Windows (x86_64) programs with Debian's mingw-w64 compilers.
# Used by scripts/build-windows, which also builds the static libraries the
# core links into VOSKE_WINDOWS_PREFIX (a folder outside the checkout, keyed by
# the libraries' versions) and passes that folder in.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VOSKE_MINGW_TRIPLET x86_64-w64-mingw32)

# The "posix" flavour of the compilers: std::thread and std::mutex need the
# winpthreads threading model, which the "win32" flavour lacks in GCC 12.
set(CMAKE_C_COMPILER ${VOSKE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VOSKE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VOSKE_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${VOSKE_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${VOSKE_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

# Passed on the command line by scripts/build-windows; kept for the
# try_compile projects CMake starts while configuring.
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VOSKE_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH ${VOSKE_WINDOWS_PREFIX} /usr/${VOSKE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static archives only (set after the platform files, which would undo it here).
set(CMAKE_PROJECT_INCLUDE "${CMAKE_CURRENT_LIST_DIR}/windows/static-libraries.cmake")

# pkg-config answers from the cross-built libraries alone, never from the
# Linux ones, and with what a static link needs (see the .pc files the
# library script writes).
set(ENV{PKG_CONFIG_LIBDIR} "${VOSKE_WINDOWS_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Programs that need only Windows' own DLLs: the C and C++ runtimes of GCC and
# winpthreads are linked in, so voske-cli.exe runs from any folder.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# Test programs run under wine, in a wine prefix of the build's own
# (<build>/wine); scripts/windows/wine-run keeps one wineserver alive so that
# each start stays short.
get_filename_component(_voske_source_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_voske_source_root}/scripts/windows/wine-run;${CMAKE_BINARY_DIR}/wine")

# jni.h comes from the build machine's JDK; its machine-dependent companion
# for Windows from this folder.
set(VOSKE_JNI_MD_INCLUDE_DIR "${_voske_source_root}/cmake/windows/jni" CACHE PATH "jni_md.h for Windows")
