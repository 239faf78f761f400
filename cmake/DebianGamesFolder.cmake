# Run by CPack on the staged files of the Debian package (CPACK_PRE_BUILD_SCRIPTS):
# Debian keeps the commands of games in /usr/games, which its users' PATH
# holds, so the velmora link moves there from /usr/bin. Its relative target
# (../libexec/velmora/velmora) stays right.
set(usr ${CPACK_TEMPORARY_DIRECTORY}/usr)
file(MAKE_DIRECTORY ${usr}/games)
file(RENAME ${usr}/bin/velmora ${usr}/games/velmora)
execute_process(COMMAND rmdir ${usr}/bin) # if nothing else lies there
