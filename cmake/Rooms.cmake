# Each folder ("room") of the program adds its sources by convention:
#   win32_*.cpp   only in the Windows build
#   posix_*.cpp   only in the Linux build
#   *_main.cpp    entry points, linked into the executable rather than the library
function(gp_add_room_sources target room)
    file(GLOB sources CONFIGURE_DEPENDS
         "${CMAKE_SOURCE_DIR}/${room}/*.cpp" "${CMAKE_SOURCE_DIR}/${room}/*.c")
    foreach(source IN LISTS sources)
        get_filename_component(name "${source}" NAME)
        if(name MATCHES "_main\\.cpp$")
            continue()
        endif()
        if(WIN32 AND name MATCHES "^posix_")
            continue()
        endif()
        if(NOT WIN32 AND name MATCHES "^win32_")
            continue()
        endif()
        target_sources(${target} PRIVATE "${source}")
    endforeach()
endfunction()
