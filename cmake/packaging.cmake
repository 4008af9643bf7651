# Installation and the Debian package (`make package`): the program and its
# nine data files in one folder under the prefix, and a `chemterm` launcher on
# the PATH that starts the program in that folder.

set(CHEMTERM_INSTALL_DIR lib/chemterm)
install(TARGETS chemterm RUNTIME DESTINATION ${CHEMTERM_INSTALL_DIR})
install(FILES ${CHEMTERM_DATA_FILES} DESTINATION ${CHEMTERM_INSTALL_DIR})

if(NOT WIN32)
  set(CHEMTERM_FULL_INSTALL_DIR ${CMAKE_INSTALL_PREFIX}/${CHEMTERM_INSTALL_DIR})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/chemterm-launcher.in
    ${CMAKE_BINARY_DIR}/launcher/chemterm @ONLY)
  install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/chemterm DESTINATION bin)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME chemterm)
set(CPACK_PACKAGE_VENDOR "chemterm developers")
set(CPACK_PACKAGE_CONTACT "chemterm developers <support@chemterm.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "text-mode chemistry tool: molecular masses, compositions, element data")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "chemterm is a small console program for students. From a one-key menu it
gives the molecular mass of a formula typed as one word (Na2O, Al2(SO4)3,
CuSO4.5H2O), its percentage composition element by element, the list of all
118 elements with their molar masses, the properties of chosen elements
(melting and boiling point, group, period, density) and help screens.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The launcher holds the absolute folder: package with the prefix it was made for.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
# The exact library versions come from dpkg-shlibdeps (dpkg-dev), which CPack
# runs on the files that `file` says are executables.
find_program(CHEMTERM_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(CHEMTERM_FILE_UTILITY file)
if(CHEMTERM_DPKG_SHLIBDEPS AND CHEMTERM_FILE_UTILITY)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6")  # the C++ runtime is linked in
endif()
include(CPack)
