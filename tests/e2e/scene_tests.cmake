# End-to-end tests of the water scene, included from this folder's
# CMakeLists.txt. scene_test_saver is the screensaver behind a test entry that
# reports the scene's pictures and decisions and can run its timer ahead.
if(WIN32)
    gp_add_e2e_program(scene_test_saver WIN32 scene_test_entry.cpp
                       "${CMAKE_SOURCE_DIR}/tests/support/hooked_entry.cpp")
else()
    add_executable(scene_test_saver scene_test_entry.cpp
                   "${CMAKE_SOURCE_DIR}/tests/support/hooked_entry.cpp")
    target_link_libraries(scene_test_saver PRIVATE gp_warnings)
    set_target_properties(scene_test_saver PROPERTIES
                          RUNTIME_OUTPUT_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
endif()
target_link_libraries(scene_test_saver PRIVATE glimmer_core glimmer_resources)

# The painted originals of the background pictures as the scene numbers them,
# 0 to 7: the screenshots are compared with them.
gp_read_background_table(background_ids background_files painted)
set(gp_scene_pictures "")
foreach(file IN LISTS background_files)
    list(APPEND gp_scene_pictures "${GP_ART_DIR}/${file}")
endforeach()

if(WIN32)
    gp_add_e2e_test(wine.scene_landscape 240 scene_test.sh look 1280x720 ${gp_scene_pictures})
    gp_add_e2e_test(wine.scene_portrait 240 scene_test.sh look 720x1280 ${gp_scene_pictures})
    gp_add_e2e_test(wine.scene_shipped 120 scene_test.sh shipped 1280x720 ${gp_scene_pictures})
    gp_add_e2e_test(wine.scene_picture_change 180 scene_test.sh picture-change 640x360
                    ${gp_scene_pictures})
    gp_add_e2e_test(wine.scene_settings 300 scene_test.sh settings 640x360 ${gp_scene_pictures})
    gp_add_e2e_test(wine.damaged_pictures_left_out 150 scene_test.sh damaged 640x360
                    ${gp_scene_pictures})
else()
    gp_add_e2e_test(native.scene 120 scene_test.sh shipped 640x360 ${gp_scene_pictures})
    gp_add_e2e_test(native.scene_settings 240 scene_test.sh settings 640x360 ${gp_scene_pictures})
endif()
