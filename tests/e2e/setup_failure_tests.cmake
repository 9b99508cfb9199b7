# End-to-end tests of the failure paths of the scene's set-up, included from
# this folder's CMakeLists.txt. Each test program is the screensaver's own
# entry and core with a resource script where one thing is broken: a water
# text that does not compile, pictures whose data is damaged (three of them,
# which the run leaves out, or every one), or a quad text without a mesh.
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

    # The shipped script with the list of floor pictures written out, some
    # of them as damaged copies made at build time (damage_picture.py), or
    # the quad's OBJ text as its MTL text.
    file(READ "${CMAKE_SOURCE_DIR}/resources/Glimmerpond3D.rc" shipped_script)
    gp_read_background_table(background_ids picture_files)
    gp_read_background_table(background_ids small_files small)
    # gp_damaged_pictures(<out script> <name> <index:whole mode:small mode>...):
    # the script with those pictures' whole data and small copy damaged as
    # the modes say ("-" leaves one as it is).
    function(gp_damaged_pictures out name)
        set(lines "")
        set(made "")
        set(index 0)
        foreach(id whole small IN ZIP_LISTS background_ids picture_files small_files)
            foreach(damage IN LISTS ARGN)
                string(REPLACE ":" ";" damage "${damage}")
                list(GET damage 0 damaged_index)
                if(damaged_index EQUAL index)
                    list(GET damage 1 whole_mode)
                    list(GET damage 2 small_mode)
                    foreach(kind whole small)
                        set(mode "${${kind}_mode}")
                        if(NOT mode STREQUAL "-")
                            set(copy "${name}_${mode}_${${kind}}")
                            # Beside the art, where the resource script's names are looked up.
                            add_custom_command(
                                OUTPUT "${GP_ART_DIR}/${copy}"
                                COMMAND python3 "${CMAKE_CURRENT_SOURCE_DIR}/damage_picture.py"
                                        "${GP_ART_DIR}/${${kind}}" "${GP_ART_DIR}/${copy}" ${mode}
                                DEPENDS glimmer_art "${CMAKE_CURRENT_SOURCE_DIR}/damage_picture.py"
                                VERBATIM)
                            list(APPEND made "${GP_ART_DIR}/${copy}")
                            set(${kind} "${copy}")
                        endif()
                    endforeach()
                endif()
            endforeach()
            string(APPEND lines "${id} PICTURE \"${whole}\"\n${id} SMALLPICTURE \"${small}\"\n")
            math(EXPR index "${index} + 1")
        endforeach()
        string(REGEX REPLACE "#define GP_BACKGROUND[^#]*#include \"background_pictures.def\"\n#undef GP_BACKGROUND\n"
               "${lines}" script "${shipped_script}")
        if(script STREQUAL shipped_script)
            message(FATAL_ERROR "resources/Glimmerpond3D.rc: no list of pictures to replace")
        endif()
        file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/${name}.rc" "${script}")
        add_custom_target(${name}_copies DEPENDS ${made})
        set(${out} "${CMAKE_CURRENT_BINARY_DIR}/${name}.rc" PARENT_SCOPE)
    endfunction()
    string(REPLACE "141 TEXTFILE \"quad.obj\"" "141 TEXTFILE \"quad.mtl\"" no_mesh_script
           "${shipped_script}")
    file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/no_mesh.rc" "${no_mesh_script}")

    # Every picture damaged, whole and small copy: the run says so and ends.
    set(every_one "")
    foreach(index RANGE 7)
        list(APPEND every_one "${index}:cut:text")
    endforeach()
    gp_damaged_pictures(no_picture_script no_picture ${every_one})
    gp_add_broken_saver(picture "${no_picture_script}")
    add_dependencies(broken_picture_saver_resources no_picture_copies)
    gp_add_e2e_test(wine.no_picture_decodes 120 setup_failure_test.sh picture
                    "$<TARGET_FILE:broken_picture_saver>")

    # Three pictures damaged: two wholly, one only in its whole data (its
    # small copy may be shown until the whole one is found damaged). The
    # scene test build reports which pictures it shows.
    gp_damaged_pictures(three_damaged_script three_damaged 1:cut:flip 4:flip:cut 6:text:-)
    gp_add_resources(three_damaged_resources "${three_damaged_script}")
    add_dependencies(three_damaged_resources glimmer_art three_damaged_copies)
    gp_add_e2e_program(three_damaged_saver WIN32 scene_test_entry.cpp
                       "${CMAKE_SOURCE_DIR}/tests/support/hooked_entry.cpp")
    target_link_libraries(three_damaged_saver PRIVATE glimmer_core three_damaged_resources)
    gp_add_broken_saver(mesh "${CMAKE_CURRENT_BINARY_DIR}/no_mesh.rc")
    gp_add_e2e_test(wine.quad_without_mesh 120 setup_failure_test.sh mesh
                    "$<TARGET_FILE:broken_mesh_saver>")
endif()
