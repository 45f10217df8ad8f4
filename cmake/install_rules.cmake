# What ships where. Two layouts:
# - the release archives (component "archive"): everything in one folder, the data beside the
#   executables, as in the build tree;
# - an installed system (components "checker" and "editor", one Debian package each): programs in
#   bin/, data in share/varko/, the help in share/doc/varko/. The programs tell the two apart at
#   run time (see textrules/program_dirs.h).
include(GNUInstallDirs)

set(VARKO_CHECK_DATA ${CMAKE_SOURCE_DIR}/data/declarations.txt ${CMAKE_SOURCE_DIR}/data/ignorefiles.txt
                     ${CMAKE_SOURCE_DIR}/data/proplib.txt)

install(TARGETS ${VARKO_CLI_PROGRAMS} RUNTIME DESTINATION . COMPONENT archive EXCLUDE_FROM_ALL)
install(FILES ${VARKO_CHECK_DATA} ${CMAKE_SOURCE_DIR}/data/help.htm ${CMAKE_SOURCE_DIR}/README.md
              ${CMAKE_SOURCE_DIR}/LICENSE
        DESTINATION . COMPONENT archive EXCLUDE_FROM_ALL)

if(WIN32)
    return()
endif()

set(VARKO_SHARE ${CMAKE_INSTALL_DATADIR}/varko)
set(VARKO_GENERATED ${CMAKE_BINARY_DIR}/packaging)

# A Debian package's own changelog, compressed without a time stamp so the bytes stay the same.
function(varko_package_docs package component)
    set(dir ${VARKO_GENERATED}/${package})
    set(PACKAGE ${package})
    set(VERSION ${VARKO_DEBIAN_VERSION})
    configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/changelog.in ${dir}/changelog.Debian @ONLY)
    execute_process(COMMAND gzip -9nf ${dir}/changelog.Debian)
    install(FILES ${dir}/changelog.Debian.gz ${CMAKE_SOURCE_DIR}/packaging/debian/copyright
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endfunction()

# Manual pages from each command-line program's --help, made when the program is built.
find_program(VARKO_HELP2MAN help2man)
set(VARKO_MAN_NAME_varko-check "check the ODF and tech-tree files of a strategy game mod")
set(VARKO_MAN_NAME_varko-lsp "language server for the ODF and tech-tree files of a strategy game mod")
set(VARKO_MAN_PAGES "")
foreach(program IN LISTS VARKO_CLI_PROGRAMS)
    set(page ${VARKO_GENERATED}/${program}.1)
    if(VARKO_HELP2MAN)
        add_custom_command(OUTPUT ${page}.gz
            COMMAND ${VARKO_HELP2MAN} --no-info --no-discard-stderr --section=1 --source="Varko Workshop"
                    "--name=${VARKO_MAN_NAME_${program}}"
                    --output=${page} $<TARGET_FILE:${program}>
            COMMAND gzip -9nf ${page}
            DEPENDS ${program} VERBATIM)
        list(APPEND VARKO_MAN_PAGES ${page}.gz)
    endif()
endforeach()
add_custom_target(man_pages ALL DEPENDS ${VARKO_MAN_PAGES})

install(TARGETS ${VARKO_CLI_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT checker)
install(FILES ${VARKO_CHECK_DATA} DESTINATION ${VARKO_SHARE} COMPONENT checker)
install(FILES ${VARKO_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT checker)
varko_package_docs(varko-check checker)

if(NOT VARKO_BUILD_GUI)
    return()
endif()
set(linux ${CMAKE_SOURCE_DIR}/packaging/linux)
execute_process(COMMAND gzip -9nc ${linux}/varko.1 OUTPUT_FILE ${VARKO_GENERATED}/varko.1.gz)
configure_file(${linux}/org.varkoworkshop.Varko.metainfo.xml ${VARKO_GENERATED}/org.varkoworkshop.Varko.metainfo.xml
               @ONLY)
install(TARGETS varko RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT editor)
install(FILES ${CMAKE_SOURCE_DIR}/data/help.htm DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/varko COMPONENT editor)
install(FILES ${VARKO_GENERATED}/varko.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT editor)
install(FILES ${linux}/org.varkoworkshop.Varko.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT editor)
install(FILES ${VARKO_GENERATED}/org.varkoworkshop.Varko.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        COMPONENT editor)
install(FILES ${linux}/org.varkoworkshop.Varko.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        COMPONENT editor)
install(FILES ${linux}/varko-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME varko.xml
        COMPONENT editor)
varko_package_docs(varko editor)
