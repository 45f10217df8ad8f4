# Release archives (ZIP on Windows, TGZ on Linux) and Debian packages, through CPack.
# scripts/package.sh runs it for every system into dist/.

# CPack keeps three numbers of a version unless told the whole one.
set(VARKO_PACKAGE_VERSION ${PROJECT_VERSION})
set(VARKO_DEBIAN_VERSION ${VARKO_PACKAGE_VERSION}-1)
include(cmake/install_rules.cmake)

if(WIN32)
    set(system windows)
else()
    set(system linux)
endif()

set(CPACK_PACKAGE_NAME varko-check)
set(CPACK_PACKAGE_VERSION ${VARKO_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "The Varko Workshop developers")
set(CPACK_PACKAGE_CONTACT "Varko Workshop developers <varko@varko-workshop.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor and checker for the data files of a strategy game mod")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/cpack_components.cmake)

# The archives: one folder named like the archive, holding the programs and their data.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_ARCHIVE_ARCHIVE_FILE_NAME varko-check-${VARKO_PACKAGE_VERSION}-${system}-x64)

# The Debian packages: varko (the editor) and varko-check (the checker and the server).
set(CPACK_VARKO_DEB_COMPONENTS checker)
if(VARKO_BUILD_GUI)
    list(APPEND CPACK_VARKO_DEB_COMPONENTS editor)
endif()
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${VARKO_PACKAGE_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://varko-workshop.example.org/)
set(CPACK_DEBIAN_CHECKER_PACKAGE_NAME varko-check)
set(CPACK_DEBIAN_CHECKER_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_CHECKER_DESCRIPTION
    "command-line checker and language server for strategy game mod files
varko-check checks the object definition files (ODF) and tech-tree files (TT)
of a mod against the declared property types and the mod's own files, and
reports each fault with its file and line as text, JSON, gcc-style lines,
GitHub annotations or SARIF. varko-lsp gives the same checks to editors
through the Language Server Protocol.")
set(CPACK_DEBIAN_EDITOR_PACKAGE_NAME varko)
set(CPACK_DEBIAN_EDITOR_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_EDITOR_PACKAGE_DEPENDS "varko-check (= ${VARKO_DEBIAN_VERSION})")
set(CPACK_DEBIAN_EDITOR_DESCRIPTION
    "editor for the data files of a strategy game mod
Varko Workshop edits the object definition files (ODF) and tech-tree files
(TT) of a mod, checks them while you type, completes property and file names,
and lists each fault with its line.")

include(CPack)
