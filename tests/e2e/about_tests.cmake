# End-to-end tests of the About window (configuration mode), included from
# this folder's CMakeLists.txt.
set(gp_about_texts "${CMAKE_SOURCE_DIR}/about/about_texts.h")

if(WIN32)
    gp_add_e2e_program(about_failure_probe about_failure_probe.cpp)
    target_link_libraries(about_failure_probe PRIVATE glimmer_core)
    gp_add_resources(about_picture_resources "${CMAKE_CURRENT_SOURCE_DIR}/about_picture.rc")
    add_dependencies(about_picture_resources glimmer_art)
    gp_add_e2e_program(about_dpi_change_probe about_dpi_change_probe.cpp)
    target_link_libraries(about_dpi_change_probe PRIVATE glimmer_core about_picture_resources)

    # The picture the window must show, as the build made it.
    gp_read_resource_script("${CMAKE_SOURCE_DIR}/resources/Glimmerpond3D.rc" ids types paths)
    list(FIND ids 101 picture_index)
    if(picture_index EQUAL -1)
        message(FATAL_ERROR "the resource script carries no bitmap 101 for the About window")
    endif()
    list(GET paths ${picture_index} gp_about_picture)

    gp_add_e2e_test(wine.about_look 120 about_window_test.sh look "${gp_about_picture}")
    gp_add_e2e_test(wine.about_look_144dpi 120 about_window_test.sh look-144dpi "${gp_about_picture}")
    gp_add_e2e_test(wine.about_dpi_change 120 about_window_test.sh dpi-change "${gp_about_picture}")
    gp_add_e2e_test(wine.about_website 120 about_window_test.sh website "${gp_about_texts}")
    gp_add_e2e_test(wine.about_close_box 90 about_window_test.sh close-box)
    gp_add_e2e_test(wine.about_alt_f4 90 about_window_test.sh alt-f4)
    gp_add_e2e_test(wine.about_close_request 90 about_window_test.sh close-request)
    gp_add_e2e_test(wine.about_beside_switchless 150 about_window_test.sh beside-switchless)
    gp_add_e2e_test(wine.about_failure_paths 120 about_window_test.sh failure-paths)
else()
    gp_add_e2e_test(native.about 60 about_native_test.sh "${gp_about_texts}")
endif()
