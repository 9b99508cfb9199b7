# The program's code as layers, each a static library of one folder:
#   platform <- gfx <- mesh <- scene <- app, with about beside them on platform.
# A layer sees only its own folder and those of the layers it is built on:
# each gets an include root in the build tree that holds just its folder, so
# an include from a layer above it does not build.
# A layer takes its folder's sources by their names:
#   win32_*.cpp   only in the Windows build
#   posix_*.cpp   only in the Linux build
#   *_main.cpp    entry points, linked into the executable rather than the library

# The warnings every target of ours is built with.
add_library(gp_warnings INTERFACE)
target_compile_options(gp_warnings INTERFACE -Wall -Wextra)

# gp_include_root(<out> <folder>): a build-tree folder holding only <folder>.
function(gp_include_root out folder)
    set(root "${CMAKE_BINARY_DIR}/include-roots/${folder}")
    file(MAKE_DIRECTORY "${root}")
    file(CREATE_LINK "${CMAKE_SOURCE_DIR}/${folder}" "${root}/${folder}" SYMBOLIC)
    set(${out} "${root}" PARENT_SCOPE)
endfunction()

# gp_add_layer_sources(<target> <folder>): the folder's sources that this
# build takes, by the naming above.
function(gp_add_layer_sources target folder)
    file(GLOB sources CONFIGURE_DEPENDS
         "${CMAKE_SOURCE_DIR}/${folder}/*.cpp" "${CMAKE_SOURCE_DIR}/${folder}/*.c")
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

# gp_add_layer(<folder> [ON <layers below>...]): library gp_<folder> from the
# folder's sources.
function(gp_add_layer folder)
    cmake_parse_arguments(PARSE_ARGV 1 layer "" "" "ON")
    gp_include_root(root "${folder}")
    add_library(gp_${folder} STATIC)
    gp_add_layer_sources(gp_${folder} "${folder}")
    target_include_directories(gp_${folder} PUBLIC "${root}")
    target_link_libraries(gp_${folder} PRIVATE gp_warnings)
    foreach(below IN LISTS layer_ON)
        target_link_libraries(gp_${folder} PUBLIC gp_${below})
    endforeach()
endfunction()

# The list of floor pictures, which the scene reads.
gp_include_root(pictures_root resources)
add_library(gp_picture_table INTERFACE)
target_include_directories(gp_picture_table INTERFACE "${pictures_root}")

gp_add_layer(platform)
# The settings' table names the floor pictures.
target_link_libraries(gp_platform PUBLIC glfw gp_picture_table)
target_compile_definitions(gp_platform PUBLIC GLFW_INCLUDE_NONE)
if(WIN32)
    target_link_libraries(gp_platform PUBLIC opengl32 gdi32 msimg32 user32 shell32 winmm advapi32)
endif()

gp_add_layer(gfx ON platform)
target_include_directories(gp_gfx PUBLIC "${GP_GEN_DIR}/include")
target_sources(gp_gfx PRIVATE "${GP_GL_LOADER_TABLE}")
add_dependencies(gp_gfx gl_loader_sources)
# The floor pictures are carried as JPEG.
target_link_libraries(gp_gfx PRIVATE gp_jpeg)

gp_add_layer(mesh ON gfx)
gp_add_layer(scene ON mesh picture_table)
gp_add_layer(about ON platform)
if(WIN32)
    # The Settings window's slider is a common control.
    target_link_libraries(gp_about PUBLIC comctl32)
endif()
gp_add_layer(app ON scene about)
target_sources(gp_app PRIVATE ${GP_WINDOW_ICON_SOURCE})

# Everything but the entry point, for the executables and the tests; tests
# also include their own helpers from the source root.
add_library(glimmer_core INTERFACE)
target_link_libraries(glimmer_core INTERFACE gp_app gp_warnings)
target_include_directories(glimmer_core INTERFACE "${CMAKE_SOURCE_DIR}")
