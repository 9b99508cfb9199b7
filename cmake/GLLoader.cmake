# The OpenGL entry-point table is generated from Khronos' glcorearb.h (Debian's
# libgl-dev): every core function up to 4.5 and the ARB functions declared with
# them. The Khronos headers are copied into the build tree so that the MinGW
# build uses the very same declarations.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(GP_GLCOREARB "/usr/include/GL/glcorearb.h" CACHE FILEPATH "Khronos glcorearb.h")
set(GP_KHRPLATFORM "/usr/include/KHR/khrplatform.h" CACHE FILEPATH "Khronos khrplatform.h")

set(GP_GL_LOADER_HEADER "${GP_GEN_DIR}/include/gfx/gl_functions.h")
set(GP_GL_LOADER_TABLE "${GP_GEN_DIR}/gl_functions.cpp")
add_custom_command(
    OUTPUT "${GP_GL_LOADER_HEADER}" "${GP_GL_LOADER_TABLE}"
           "${GP_GEN_DIR}/include/GL/glcorearb.h" "${GP_GEN_DIR}/include/KHR/khrplatform.h"
    COMMAND "${CMAKE_COMMAND}" -E copy "${GP_GLCOREARB}" "${GP_GEN_DIR}/include/GL/glcorearb.h"
    COMMAND "${CMAKE_COMMAND}" -E copy "${GP_KHRPLATFORM}" "${GP_GEN_DIR}/include/KHR/khrplatform.h"
    COMMAND Python3::Interpreter "${CMAKE_SOURCE_DIR}/tools/gen_gl_loader.py"
            "${GP_GLCOREARB}" "${GP_GL_LOADER_HEADER}" "${GP_GL_LOADER_TABLE}"
    DEPENDS "${CMAKE_SOURCE_DIR}/tools/gen_gl_loader.py" "${GP_GLCOREARB}" "${GP_KHRPLATFORM}"
    COMMENT "Generating the OpenGL entry-point table from glcorearb.h"
    VERBATIM)
add_custom_target(gl_loader_sources DEPENDS "${GP_GL_LOADER_HEADER}" "${GP_GL_LOADER_TABLE}")
