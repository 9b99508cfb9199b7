# Installing the Linux build as an XScreenSaver hack: the program under the
# name XScreenSaver knows it by, in the folder where the daemon looks for
# hacks, and its settings file where the settings dialog reads them.
#   cmake --install build/linux --prefix /usr
# puts /usr/libexec/xscreensaver/glimmerpond3d and
# /usr/share/xscreensaver/config/glimmerpond3d.xml.
if(WIN32)
    return()
endif()

install(PROGRAMS "$<TARGET_FILE:Glimmerpond3D>"
        DESTINATION libexec/xscreensaver
        RENAME glimmerpond3d)
install(FILES "${CMAKE_SOURCE_DIR}/resources/glimmerpond3d.xml"
        DESTINATION share/xscreensaver/config)
