# Read by cpack for each generator: which components go into its packages.
if(CPACK_GENERATOR MATCHES "^(ZIP|TGZ)$")
    set(CPACK_COMPONENTS_ALL archive)
elseif(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_COMPONENTS_ALL ${CPACK_VARKO_DEB_COMPONENTS})
endif()
