# End-to-end tests of the failure paths of the scene's set-up, included from
# this folder's CMakeLists.txt. Each test program is the screensaver's own
# entry and core with a resource script where one thing is broken: a water
# text that does not compile, a picture that is not what it should be (the
# last one, which the scene shows only much later), or a quad text without a mesh.
if(WIN32)
    # gp_add_broken_saver(<name> <resource script>)
    function(gp_add_broken_saver name script)
        set(saver "broken_${name}_saver")
        gp_add_resources(${saver}_resources "${script}")
        add_dependencies(${saver}_resources glimmer_art)
        gp_add_e2e_program(${saver} WIN32 "${CMAKE_SOURCE_DIR}/app/win32_main.cpp")
        target_link_libraries(${saver} PRIVATE glimmer_core ${saver}_resources)
    endfunction()

    foreach(stage fragment vertex)
        gp_add_broken_saver(${stage} "${CMAKE_CURRENT_SOURCE_DIR}/broken_${stage}.rc")
        gp_add_e2e_test(wine.shader_${stage}_compile_error 120 setup_failure_test.sh ${stage}
                        "$<TARGET_FILE:broken_${stage}_saver>")
    endforeach()

    # The shipped script with one line changed: the last floor picture is
    # the About picture (110 x 83), or the quad's OBJ text is its MTL text.
    file(READ "${CMAKE_SOURCE_DIR}/resources/Glimmerpond3D.rc" shipped_script)
    gp_read_background_table(background_ids background_files)
    list(GET background_ids -1 last_id)
    set(picture_lines "")
    foreach(id file IN ZIP_LISTS background_ids background_files)
        if(id EQUAL last_id)
            set(file about_emblem.bmp)
        endif()
        string(APPEND picture_lines "${id} BITMAP \"${file}\"\n")
    endforeach()
    string(REGEX REPLACE "#define GP_BACKGROUND[^\n]*\n#include \"background_pictures.def\"\n#undef GP_BACKGROUND\n"
           "${picture_lines}" damaged_picture_script "${shipped_script}")
    string(REPLACE "141 TEXTFILE \"quad.obj\"" "141 TEXTFILE \"quad.mtl\"" no_mesh_script
           "${shipped_script}")
    file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/damaged_picture.rc" "${damaged_picture_script}")
    file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/no_mesh.rc" "${no_mesh_script}")

    gp_add_broken_saver(picture "${CMAKE_CURRENT_BINARY_DIR}/damaged_picture.rc")
    gp_add_e2e_test(wine.damaged_last_picture 120 setup_failure_test.sh picture
                    "$<TARGET_FILE:broken_picture_saver>" ${last_id})
    gp_add_broken_saver(mesh "${CMAKE_CURRENT_BINARY_DIR}/no_mesh.rc")
    gp_add_e2e_test(wine.quad_without_mesh 120 setup_failure_test.sh mesh
                    "$<TARGET_FILE:broken_mesh_saver>")
endif()
