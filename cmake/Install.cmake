# What `cmake --install` puts where (GNUInstallDirs): the programs in bin/,
# everything the game reads by relative path (the run folder but its
# programs) in share/cueflight/, where the game looks beside its binary, and
# what the desktop wants: the menu entry, the icons, the AppStream metainfo,
# the man pages and the licence notes.

set(INSTALL_SOURCE ${CMAKE_SOURCE_DIR}/data/install)
set(INSTALL_BUILD ${CMAKE_BINARY_DIR}/install-files)
set(CUEFLIGHT_DATA_DIR ${CMAKE_INSTALL_FULL_DATADIR}/cueflight)

install(TARGETS cueflight cueflight-chart cueflight-scores
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The run folder's files as the build registers them, each to its own folder.
get_property(run_files GLOBAL PROPERTY CUEFLIGHT_RUN_FILES)
foreach(file ${run_files})
    file(RELATIVE_PATH rel ${RUN_DIR} ${file})
    get_filename_component(rel_dir ${rel} DIRECTORY)
    install(FILES ${file} DESTINATION ${CMAKE_INSTALL_DATADIR}/cueflight/${rel_dir})
endforeach()

install(FILES ${INSTALL_SOURCE}/${CUEFLIGHT_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${INSTALL_SOURCE}/${CUEFLIGHT_APP_ID}.metainfo.xml
               ${INSTALL_BUILD}/${CUEFLIGHT_APP_ID}.metainfo.xml @ONLY)
install(FILES ${INSTALL_BUILD}/${CUEFLIGHT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${CUEFLIGHT_ICON_SIZES})
    set(icon_folder hicolor/${size}x${size}/apps)
    install(FILES ${CUEFLIGHT_ICON_DIR}/${icon_folder}/${CUEFLIGHT_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/${icon_folder})
endforeach()
install(FILES ${INSTALL_SOURCE}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Man pages carry the version and the data folder; they and the changelog are
# compressed as Debian's policy asks (man reads them either way).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed)
function(compress_for_install source)
    get_filename_component(name ${source} NAME)
    add_custom_command(OUTPUT ${INSTALL_BUILD}/${name}.gz
        COMMAND ${GZIP_PROGRAM} -9 -n -c ${source} > ${INSTALL_BUILD}/${name}.gz
        DEPENDS ${source}
        COMMENT "Compressing ${name}" VERBATIM)
    set(compressed ${compressed} ${INSTALL_BUILD}/${name}.gz PARENT_SCOPE)
endfunction()
foreach(page cueflight cueflight-chart cueflight-scores)
    configure_file(${INSTALL_SOURCE}/${page}.6 ${INSTALL_BUILD}/${page}.6 @ONLY)
    compress_for_install(${INSTALL_BUILD}/${page}.6)
    install(FILES ${INSTALL_BUILD}/${page}.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endforeach()
compress_for_install(${INSTALL_SOURCE}/changelog)
install(FILES ${INSTALL_BUILD}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
add_custom_target(compressed_install_files ALL DEPENDS ${compressed})

include(cmake/Package.cmake)
