# End-to-end tests of what the program shares with the Windows shell and the
# session it runs in, included from this folder's CMakeLists.txt.
if(WIN32)
    gp_add_e2e_program(shell_resources_probe shell_resources_probe.cpp)
    target_link_libraries(shell_resources_probe PRIVATE glimmer_core version)
    gp_add_e2e_test(wine.shell_resources 90 shell_resources_test.sh "${PROJECT_VERSION}"
                    "${CMAKE_SOURCE_DIR}/resources/Glimmerpond3D.manifest")
endif()

# Display sleep while the full-screen run lasts; the session's settings after
# each path out are checked in the tests of those paths (fullscreen, preview,
# failure message boxes).
if(WIN32)
    gp_add_e2e_test(wine.fullscreen_display_may_sleep 180 wine_fullscreen_test.sh display-may-sleep)
endif()
