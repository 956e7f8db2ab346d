# Read by CPack for each generator: the zips take the Windows folder and its debugging
# information, one zip each; the Debian package takes the files laid out for /usr.
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_COMPONENTS_ALL program debug)
elseif(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_COMPONENTS_ALL linux)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
