# Installation: the program and its two sounds in one folder (the program
# looks for the sounds beside its own file), a bin/velmora link to it, and the
# desktop entry, icon and AppStream metadata that let a desktop offer it.
include(GNUInstallDirs)

set(VELMORA_INSTALL_PROGRAM_DIR "lib/velmora" CACHE STRING
    "Folder of the program and its sounds, relative to the install prefix")

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
