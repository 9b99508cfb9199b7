# The pictures and icons the program carries are made at build time by the
# host tool gen_art (tools/art) from fixed seeds, into the build tree's art
# folder; none of them is kept in git. The resource script names these files.
set(GP_ART_DIR "${GP_GEN_DIR}/art")
gp_host_tool(GP_GEN_ART gen_art)

# What gen_art writes: each floor of the list of pictures as the program
# carries it, its small copy and the painted original, and the rest of
# tools/art/art_catalogue.cpp.
set(GP_ART_FILES "")
foreach(column picture small painted)
    gp_read_background_table(background_ids files ${column})
    list(APPEND GP_ART_FILES ${files})
endforeach()
list(APPEND GP_ART_FILES about_emblem.bmp Glimmerpond3D.ico)
# The window icon as constant data: the app layer compiles this instead of a file in app/.
set(GP_WINDOW_ICON_SOURCE "${GP_ART_DIR}/window_icon_pixels.cpp")

set(art_outputs "${GP_WINDOW_ICON_SOURCE}")
foreach(name IN LISTS GP_ART_FILES)
    list(APPEND art_outputs "${GP_ART_DIR}/${name}")
endforeach()
add_custom_command(
    OUTPUT ${art_outputs}
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${GP_ART_DIR}"
    COMMAND "${GP_GEN_ART}" "${GP_ART_DIR}"
    DEPENDS host_tools "${GP_GEN_ART}"
    COMMENT "Generating the floor pictures, the About picture and the icons"
    VERBATIM)
add_custom_target(glimmer_art DEPENDS ${art_outputs})
# The resource library is defined after this file; it must wait for the art.
cmake_language(DEFER CALL add_dependencies glimmer_resources glimmer_art)

# Checks of the generator itself: a second run gives the same bytes, and an
# outside reader sees the formats and sizes the resource script promises.
function(gp_add_art_tests)
    if(NOT GP_BUILD_TESTS OR WIN32 OR GP_SANITIZE)
        return()  # one native build checks it; the other builds run the same tool
    endif()
    add_test(NAME art_generation_is_deterministic COMMAND "${GP_GEN_ART}" --verify "${GP_ART_DIR}")
    set_tests_properties(art_generation_is_deterministic PROPERTIES LABELS art)
    find_program(GP_IDENTIFY identify)
    if(GP_IDENTIFY)
        add_test(NAME art_files_read_back
                 COMMAND "${CMAKE_COMMAND}" -DIDENTIFY=${GP_IDENTIFY} -DART_DIR=${GP_ART_DIR}
                         -P "${CMAKE_SOURCE_DIR}/tools/art/check_art_files.cmake")
        set_tests_properties(art_files_read_back PROPERTIES LABELS art)
    endif()
endfunction()
# Tests are enabled further down the top-level file.
cmake_language(DEFER CALL gp_add_art_tests)
