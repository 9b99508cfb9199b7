# Build-time generators (tools/) always run on the build machine, so they are
# built natively as a separate project even when the program is cross-compiled.
include(ExternalProject)

set(GP_HOST_TOOLS_DIR "${CMAKE_BINARY_DIR}/host-tools")
set(GP_HOST_TOOL_NAMES "" CACHE INTERNAL "")
file(STRINGS "${CMAKE_SOURCE_DIR}/tools/host-tools.txt" GP_HOST_TOOL_NAMES REGEX "^[a-z_]+$")
set(host_tool_byproducts "")
foreach(tool IN LISTS GP_HOST_TOOL_NAMES)
    list(APPEND host_tool_byproducts "${GP_HOST_TOOLS_DIR}/${tool}")
endforeach()

ExternalProject_Add(host_tools
    SOURCE_DIR "${CMAKE_SOURCE_DIR}/tools"
    BINARY_DIR "${GP_HOST_TOOLS_DIR}"
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=cc -DCMAKE_CXX_COMPILER=c++
               -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${GP_HOST_TOOLS_DIR}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${host_tool_byproducts})

# gp_host_tool(<var> <name>): the path of a host tool, for custom commands.
function(gp_host_tool var name)
    set(${var} "${GP_HOST_TOOLS_DIR}/${name}" PARENT_SCOPE)
endfunction()
