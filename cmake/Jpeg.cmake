# libjpeg-turbo for the program as the target gp_jpeg (#include <jpeglib.h>).
# Linux: Debian's shared library (libjpeg62-turbo-dev), which the package then
# depends on. Windows: libjpeg-turbo 2.1.5 from Debian's source package
# (scripts/fetch-libjpeg-turbo.sh), built static with the same toolchain so
# that the .scr stays one file.
add_library(gp_jpeg INTERFACE)

if(NOT WIN32)
    find_package(JPEG REQUIRED)
    target_link_libraries(gp_jpeg INTERFACE JPEG::JPEG)
    return()
endif()

set(GP_JPEG_SOURCE_DIR "${CMAKE_SOURCE_DIR}/.deps/libjpeg-turbo-2.1.5"
    CACHE PATH "libjpeg-turbo 2.1.5 sources")
if(NOT EXISTS "${GP_JPEG_SOURCE_DIR}/.unpacked")
    execute_process(COMMAND "${CMAKE_SOURCE_DIR}/scripts/fetch-libjpeg-turbo.sh"
                    RESULT_VARIABLE fetch_result)
    if(NOT fetch_result EQUAL 0)
        message(FATAL_ERROR
                "Could not fetch the libjpeg-turbo sources (scripts/fetch-libjpeg-turbo.sh)")
    endif()
endif()

# Its SIMD code is assembled by nasm; without it decoding is several times slower.
find_program(GP_NASM nasm REQUIRED)

include(ExternalProject)
set(jpeg_prefix "${CMAKE_BINARY_DIR}/libjpeg-turbo")
set(jpeg_library "${jpeg_prefix}/lib/libjpeg.a")
# Only the library and its public headers: the tools, tests and the TurboJPEG
# API are not built.
ExternalProject_Add(libjpeg_turbo
    SOURCE_DIR "${GP_JPEG_SOURCE_DIR}"
    BINARY_DIR "${jpeg_prefix}/build"
    PREFIX "${jpeg_prefix}"
    CMAKE_ARGS
        "-DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}"
        -DCMAKE_BUILD_TYPE=Release
        # Never installed; its own default, C:/libjpeg-turbo-gcc64, stops it configuring.
        "-DCMAKE_INSTALL_PREFIX=${jpeg_prefix}"
        "-DCMAKE_ASM_NASM_COMPILER=${GP_NASM}"
        -DENABLE_SHARED=OFF
        -DENABLE_STATIC=ON
        -DWITH_TURBOJPEG=OFF
        -DWITH_SIMD=ON
        -DREQUIRE_SIMD=ON
    BUILD_COMMAND "${CMAKE_COMMAND}" --build <BINARY_DIR> --target jpeg-static
    INSTALL_COMMAND
        "${CMAKE_COMMAND}" -E copy_if_different <SOURCE_DIR>/jpeglib.h <SOURCE_DIR>/jmorecfg.h
            <SOURCE_DIR>/jerror.h <BINARY_DIR>/jconfig.h "${jpeg_prefix}/include"
        COMMAND "${CMAKE_COMMAND}" -E copy_if_different <BINARY_DIR>/libjpeg.a "${jpeg_library}"
    BUILD_BYPRODUCTS "${jpeg_library}")

file(MAKE_DIRECTORY "${jpeg_prefix}/include" "${jpeg_prefix}/lib")
target_include_directories(gp_jpeg SYSTEM INTERFACE "${jpeg_prefix}/include")
target_link_libraries(gp_jpeg INTERFACE "${jpeg_library}")
add_dependencies(gp_jpeg libjpeg_turbo)
