# Builds the package from what the build folder holds, into PACKAGE_DIR.
# Skipped (not failed) where the Debian tools are missing.
find_program(DPKG_DEB dpkg-deb)
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT DPKG_DEB OR NOT DPKG_SHLIBDEPS)
  message("SEM-DPKG-DEB: dpkg-deb e dpkg-shlibdeps (pacote dpkg-dev) são necessários para montar o pacote")
  return()
endif()
file(REMOVE_RECURSE ${PACKAGE_DIR})
file(MAKE_DIRECTORY ${PACKAGE_DIR})
execute_process(COMMAND cpack -G DEB --config ${BINARY_DIR}/CPackConfig.cmake -B ${PACKAGE_DIR}
                WORKING_DIRECTORY ${PACKAGE_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack falhou (${result})")
endif()
