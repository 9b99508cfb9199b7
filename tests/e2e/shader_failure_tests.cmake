# End-to-end tests of a water text that does not compile, included from this
# folder's CMakeLists.txt. Each test program is the screensaver's own entry and
# core with a resource script where one of the two texts is broken.
if(WIN32)
    foreach(stage fragment vertex)
        set(saver "broken_${stage}_saver")
        gp_add_resources(${saver}_resources "${CMAKE_CURRENT_SOURCE_DIR}/broken_${stage}.rc")
        add_dependencies(${saver}_resources glimmer_art)
        gp_add_e2e_program(${saver} WIN32 "${CMAKE_SOURCE_DIR}/app/win32_main.cpp")
        target_link_libraries(${saver} PRIVATE glimmer_core ${saver}_resources)
        gp_add_e2e_test(wine.shader_${stage}_compile_error 120 shader_failure_test.sh ${stage}
                        "$<TARGET_FILE:${saver}>")
    endforeach()
endif()
