# Installation: the program and its two sounds in one folder (the program
# looks for the sounds beside its own file), a bin/velmora link to it, and the
# desktop entry, icon and AppStream metadata that let a desktop offer it.
include(GNUInstallDirs)

set(VELMORA_INSTALL_PROGRAM_DIR "lib/velmora" CACHE STRING
    "Folder of the program and its sounds, relative to the install prefix")

install(TARGETS velmora RUNTIME DESTINATION ${VELMORA_INSTALL_PROGRAM_DIR})

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

# The sounds are made by the build; their paths come as the variable or the
# global property VELMORA_SOUND_FILES, which may be set anywhere in the
# project, so they are looked up once the whole project has been read. Their
# names are also written to velmora-sounds.txt for the install tests.
function(velmora_install_sounds)
    get_property(sounds GLOBAL PROPERTY VELMORA_SOUND_FILES)
    if(NOT sounds AND DEFINED VELMORA_SOUND_FILES)
        set(sounds ${VELMORA_SOUND_FILES})
    endif()
    set(names "")
    foreach(sound IN LISTS sounds)
        get_filename_component(name ${sound} NAME)
        string(APPEND names "${name}\n")
    endforeach()
    file(WRITE ${PROJECT_BINARY_DIR}/velmora-sounds.txt "${names}")
    if(sounds)
        install(FILES ${sounds} DESTINATION ${VELMORA_INSTALL_PROGRAM_DIR})
    endif()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL velmora_install_sounds)
