# GLFW 3.3.8 from Debian's source package (scripts/fetch-glfw.sh), built with
# GLFW's own recipe, plus what the program adds to GLFW (glfw_ext/), compiled
# into the same library so that it can use GLFW's internal headers.
set(GP_GLFW_SOURCE_DIR "${CMAKE_SOURCE_DIR}/.deps/glfw-3.3.8" CACHE PATH "GLFW 3.3.8 sources")
if(NOT EXISTS "${GP_GLFW_SOURCE_DIR}/.unpacked")
    execute_process(COMMAND "${CMAKE_SOURCE_DIR}/scripts/fetch-glfw.sh"
                    RESULT_VARIABLE fetch_result)
    if(NOT fetch_result EQUAL 0)
        message(FATAL_ERROR "Could not fetch the GLFW sources (scripts/fetch-glfw.sh)")
    endif()
endif()

set(BUILD_SHARED_LIBS OFF CACHE BOOL "" FORCE)
set(GLFW_BUILD_EXAMPLES OFF CACHE BOOL "" FORCE)
set(GLFW_BUILD_TESTS OFF CACHE BOOL "" FORCE)
set(GLFW_BUILD_DOCS OFF CACHE BOOL "" FORCE)
set(GLFW_INSTALL OFF CACHE BOOL "" FORCE)
add_subdirectory("${GP_GLFW_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/glfw" EXCLUDE_FROM_ALL)

file(GLOB glfw_ext_sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/glfw_ext/*.c")
foreach(source IN LISTS glfw_ext_sources)
    get_filename_component(name "${source}" NAME)
    # win32_ and x11_ files for their platform only; the rest for both.
    if((WIN32 AND name MATCHES "^win32_") OR (NOT WIN32 AND name MATCHES "^x11_")
       OR NOT name MATCHES "^(win32|x11)_")
        target_sources(glfw PRIVATE "${source}")
    endif()
endforeach()
target_include_directories(glfw PRIVATE "${GP_GLFW_SOURCE_DIR}/src")
if(NOT WIN32)
    # DPMS, which says whether the monitor is powered.
    target_link_libraries(glfw PRIVATE Xext)
endif()
target_include_directories(glfw PUBLIC "${CMAKE_SOURCE_DIR}/glfw_ext/include")
