# Included at the end of project() by the Windows toolchain: static archives
# only. mingw-w64 ships zlib both as libz.a and as the DLL's import library
# libz.dll.a, and CMake's Windows platform files, read after the toolchain,
# make find_library (and so pkg_check_modules) take the import library first.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
