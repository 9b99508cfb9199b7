# Reads the generated files back with ImageMagick's identify, an outside
# reader: every floor a 2048 x 2048 JPEG with a 256 x 256 copy and a 24-bit
# bitmap of the painted original, the About picture 110 x 83,
# the icon file with its six sizes.
#   cmake -DIDENTIFY=<identify> -DART_DIR=<folder> -P check_art_files.cmake
set(floors floor_rippled_sand floor_pebbles floor_pool_tiles floor_rock_shells
           floor_river_stones floor_seagrass floor_coral_rubble floor_mosaic)
# Each entry: file name, then what identify reports for each image in it.
set(expectations "")
foreach(floor IN LISTS floors)
    list(APPEND expectations "${floor}.bmp=BMP3 2048 2048 8 srgb|"
         "${floor}.jpg=JPEG 2048 2048 8 srgb|" "${floor}_small.jpg=JPEG 256 256 8 srgb|")
endforeach()
list(APPEND expectations "about_emblem.bmp=BMP3 110 83 8 srgb|")
list(APPEND expectations
     "Glimmerpond3D.ico=ICO 16 16|ICO 24 24|ICO 32 32|ICO 48 48|ICO 64 64|ICO 256 256|")

set(failures 0)
foreach(expectation IN LISTS expectations)
    string(REGEX MATCH "^([^=]+)=(.*)$" _ "${expectation}")
    set(file "${CMAKE_MATCH_1}")
    set(expected "${CMAKE_MATCH_2}")
    execute_process(COMMAND "${IDENTIFY}" -format "%m %w %h %z %[channels]|"
                    "${ART_DIR}/${file}"
                    OUTPUT_VARIABLE seen ERROR_VARIABLE problems RESULT_VARIABLE result)
    if(file MATCHES "\\.ico$")
        string(REGEX REPLACE " 8 srgba?\\|" "|" seen "${seen}")
    endif()
    if(NOT result EQUAL 0 OR NOT seen STREQUAL expected)
        message(SEND_ERROR "${file}: expected \"${expected}\", identify says \"${seen}\" ${problems}")
        math(EXPR failures "${failures} + 1")
    endif()
endforeach()
if(failures EQUAL 0)
    message(STATUS "All generated pictures read back as expected")
endif()
