# Installing the Linux build as an XScreenSaver hack: the program under the
# name XScreenSaver knows it by, in the folder where the daemon looks for
# hacks, its settings file where the settings dialog reads them, its manual
# page and the desktop entry that other screensaver daemons list.
#   cmake --install build/linux --prefix /usr
# puts /usr/libexec/xscreensaver/glimmerpond3d and
# /usr/share/xscreensaver/config/glimmerpond3d.xml. The Debian package
# (cmake/Packaging.cmake) is made from these rules.
if(WIN32)
    return()
endif()

install(PROGRAMS "$<TARGET_FILE:Glimmerpond3D>"
        DESTINATION libexec/xscreensaver
        RENAME glimmerpond3d)
# install(PROGRAMS) does not strip on its own; `cmake --install --strip` and
# the package ask for it.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
                                --remove-section=.comment --remove-section=.note
                                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/libexec/xscreensaver/glimmerpond3d\"
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
install(FILES "${CMAKE_SOURCE_DIR}/resources/glimmerpond3d.xml"
        DESTINATION share/xscreensaver/config)
install(FILES "${CMAKE_SOURCE_DIR}/packaging/glimmerpond3d.desktop"
        DESTINATION share/applications/screensavers)
# Made by cmake/Packaging.cmake, like the package's copyright and changelog.
install(FILES "${GP_GEN_DIR}/packaging/glimmerpond3d.6.gz" DESTINATION share/man/man6)
install(FILES "${GP_GEN_DIR}/packaging/copyright" "${GP_GEN_DIR}/packaging/changelog.gz"
        DESTINATION share/doc/glimmerpond3d)
