# The packages users install. Windows: an MSI made by wixl from
# packaging/Glimmerpond3D.wxs, beside the .scr, in the default build. Linux: a
# Debian package made by CPack from the install rules (cmake/Install.cmake):
#   cmake --build --preset linux --target package
# Names, maker and version come from where the program keeps them.

# Reads `#define NAME "value"` or `NAME = "value"` from a header of the program.
function(gp_read_product_fact out header name)
    file(STRINGS "${CMAKE_SOURCE_DIR}/${header}" lines REGEX "${name}[ =]+\"")
    if(NOT lines MATCHES "${name}[ =]+\"([^\"]*)\"")
        message(FATAL_ERROR "${header} defines no ${name}")
    endif()
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

gp_read_product_fact(GP_PRODUCT_NAME about/product_facts.h GP_PRODUCT_NAME)
gp_read_product_fact(GP_MAKER_NAME about/product_facts.h GP_MAKER_NAME)
gp_read_product_fact(GP_RIGHTS_YEARS about/product_facts.h GP_RIGHTS_YEARS)
gp_read_product_fact(GP_MAKER_HOST about/about_texts.h kMakerHost)
gp_read_product_fact(GP_SUPPORT_ADDRESS about/about_texts.h kSupportAddress)

# gp_add_msi(<target> <output.msi> <version>): the installer of the .scr, as
# the given version. Part of the default build.
function(gp_add_msi target output version)
    find_program(GP_WIXL wixl REQUIRED)
    if(NOT version MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
        message(FATAL_ERROR "An MSI's version has three numbers, not ${version}")
    endif()
    math(EXPR next_patch "${CMAKE_MATCH_3} + 1")
    set(next_version "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${next_patch}")
    set(icon "${GP_ART_DIR}/Glimmerpond3D.ico")
    set(wxs "${CMAKE_SOURCE_DIR}/packaging/Glimmerpond3D.wxs")
    # wixl takes its source files by paths relative to where it runs.
    file(RELATIVE_PATH icon_path "${CMAKE_BINARY_DIR}" "${icon}")
    add_custom_command(
        OUTPUT "${output}"
        COMMAND "${GP_WIXL}" -a x64 -D "Version=${version}" -D "NextVersion=${next_version}"
                -D "ProductName=${GP_PRODUCT_NAME}"
                -D "Manufacturer=${GP_MAKER_NAME}" -D "MakerHost=${GP_MAKER_HOST}"
                -D "ScreensaverFile=$<TARGET_FILE_NAME:Glimmerpond3D>" -D "IconFile=${icon_path}"
                -o "${output}" "${wxs}"
        WORKING_DIRECTORY "$<TARGET_FILE_DIR:Glimmerpond3D>"
        DEPENDS Glimmerpond3D "${wxs}" "${icon}"
        COMMENT "Building the installer ${output}"
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS "${output}")
endfunction()

# The administrators' Group Policy templates, copied beside the installer:
# policy/Glimmerpond3D.admx and policy/en-US/Glimmerpond3D.adml.
set(GP_POLICY_DIR "${CMAKE_BINARY_DIR}/policy")
foreach(name Glimmerpond3D.admx en-US/Glimmerpond3D.adml)
    configure_file("${CMAKE_SOURCE_DIR}/packaging/policy/${name}" "${GP_POLICY_DIR}/${name}" COPYONLY)
endforeach()

if(WIN32)
    set(GP_MSI_FILE "${CMAKE_BINARY_DIR}/Glimmerpond3D-${PROJECT_VERSION}.msi")
    gp_add_msi(installer "${GP_MSI_FILE}" "${PROJECT_VERSION}")
    return()
endif()

# The Debian package's own files, filled in from templates whose leading
# "#" lines say what they are.
set(GP_PACKAGE_DIR "${GP_GEN_DIR}/packaging")
string(TIMESTAMP GP_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
string(TIMESTAMP GP_MANUAL_DATE "%Y-%m-%d" UTC)
function(gp_configure_package_file template output)
    file(READ "${CMAKE_SOURCE_DIR}/${template}" text)
    string(REGEX REPLACE "^(#[^\n]*\n)+" "" text "${text}")
    file(CONFIGURE OUTPUT "${output}" CONTENT "${text}" @ONLY)
endfunction()
# GLFW's holders and licence as its own sources state them, in the copyright
# file's form: holders one under the other, the text indented, "." for a
# blank line.
file(READ "${GP_GLFW_SOURCE_DIR}/LICENSE.md" glfw_license)
string(REGEX MATCHALL "Copyright \\(c\\) [^\n]*" glfw_holders "${glfw_license}")
list(TRANSFORM glfw_holders REPLACE "^Copyright \\(c\\) " "")
list(JOIN glfw_holders "\n           " GP_GLFW_COPYRIGHT)
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]*" "" glfw_license "${glfw_license}")
string(STRIP "${glfw_license}" glfw_license)
string(REPLACE "\n\n" "\n.\n" glfw_license "${glfw_license}")
string(REPLACE "\n" "\n " GP_GLFW_LICENSE " ${glfw_license}")
gp_configure_package_file(packaging/debian/copyright.in "${GP_PACKAGE_DIR}/copyright")
gp_configure_package_file(packaging/debian/changelog.in "${GP_PACKAGE_DIR}/changelog")
configure_file("${CMAKE_SOURCE_DIR}/packaging/glimmerpond3d.6.in"
               "${GP_PACKAGE_DIR}/glimmerpond3d.6" @ONLY)

# Debian keeps manual pages and changelogs compressed, without time stamps.
set(compressed "")
foreach(name glimmerpond3d.6 changelog)
    add_custom_command(
        OUTPUT "${GP_PACKAGE_DIR}/${name}.gz"
        COMMAND gzip -9nkf "${name}"
        WORKING_DIRECTORY "${GP_PACKAGE_DIR}"
        DEPENDS "${GP_PACKAGE_DIR}/${name}"
        VERBATIM)
    list(APPEND compressed "${GP_PACKAGE_DIR}/${name}.gz")
endforeach()
add_custom_target(package_documents ALL DEPENDS ${compressed})

# The package holds the plain build, never one made for the sanitizers.
find_program(GP_DPKG dpkg)
if(GP_SANITIZE OR NOT GP_DPKG)
    return()
endif()
execute_process(COMMAND "${GP_DPKG}" --print-architecture OUTPUT_VARIABLE GP_DEB_ARCHITECTURE
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(CPACK_GENERATOR DEB)
# The description holds quotes and backslashes.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME glimmerpond3d)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "${GP_MAKER_NAME}")
set(CPACK_PACKAGE_CONTACT "${GP_MAKER_NAME} <${GP_SUPPORT_ADDRESS}>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE "${GP_DEB_ARCHITECTURE}")
set(GP_DEB_FILE "${CMAKE_BINARY_DIR}/glimmerpond3d_${PROJECT_VERSION}_${GP_DEB_ARCHITECTURE}.deb")
set(CPACK_DEBIAN_FILE_NAME "glimmerpond3d_${PROJECT_VERSION}_${GP_DEB_ARCHITECTURE}.deb")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://${GP_MAKER_HOST}/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# GLFW opens libGL.so.1 at run time, where dpkg-shlibdeps does not look.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libgl1)
# As Debian's own hack packages: the hack is of use with XScreenSaver, but
# other screensaver daemons run it too.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xscreensaver)
# CPack indents each line; the line for ~/.xscreensaver stays inside a sentence,
# as a backslash at the end of a line would be lost on the way.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "water-caustics screensaver for XScreenSaver
${GP_PRODUCT_NAME} draws warm, drifting caustics of shallow water, computed
per pixel with OpenGL, over one of eight pictures of the water's floor;
every minute a new picture cross-fades in.

To list it in XScreenSaver, add \"GL: glimmerpond3d --root \\n\\\" as a
line of its own after the line \"programs:\" in ~/.xscreensaver, and pick
\"${GP_PRODUCT_NAME}\" in xscreensaver-settings.")
include(CPack)
