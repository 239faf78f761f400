# Installation: the program, its two sounds and its audio module in one folder
# (the program looks for them beside its own file), a bin/velmora link to it,
# the desktop entry, icon and AppStream metadata that let a desktop offer it,
# and the manual page, copyright and changelog Debian asks for.
include(GNUInstallDirs)

# The folder of the program, its sounds and its audio module, relative to the prefix.
set(VELMORA_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/velmora)

install(TARGETS velmora RUNTIME DESTINATION ${VELMORA_INSTALL_PROGRAM_DIR})
install(TARGETS velmora_audio LIBRARY DESTINATION ${VELMORA_INSTALL_PROGRAM_DIR})

# The link is made in the build tree and installed as a link; being relative,
# it stays right under any prefix and in the package.
file(RELATIVE_PATH velmora_link_target /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${VELMORA_INSTALL_PROGRAM_DIR}/velmora)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/install-links)
file(CREATE_LINK ${velmora_link_target} ${PROJECT_BINARY_DIR}/install-links/velmora SYMBOLIC)
install(FILES ${PROJECT_BINARY_DIR}/install-links/velmora DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/data/velmora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/velmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/org.example.velmora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The two sounds made by the build (tools/soundgen sets VELMORA_SOUND_FILES).
install(FILES ${VELMORA_SOUND_FILES} DESTINATION ${VELMORA_INSTALL_PROGRAM_DIR})

# Debian keeps manual pages and changelogs compressed, without a time stamp.
set(velmora_compressed)
foreach(document data/velmora.6 data/debian/changelog)
    get_filename_component(name ${document} NAME)
    set(output ${PROJECT_BINARY_DIR}/documents/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND gzip -9n --stdout ${PROJECT_SOURCE_DIR}/${document} > ${output}
        DEPENDS ${PROJECT_SOURCE_DIR}/${document} VERBATIM)
    list(APPEND velmora_compressed ${output})
endforeach()
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/documents)
add_custom_target(velmora_documents ALL DEPENDS ${velmora_compressed})
install(FILES ${PROJECT_BINARY_DIR}/documents/velmora.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_BINARY_DIR}/documents/changelog.gz ${PROJECT_SOURCE_DIR}/data/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora)
