# gp_add_resources(<target> <script.rc>)
# Makes a library that carries the resources a resource script names.
# Windows: the script is compiled by windres. Linux: the same script is read
# here and every TEXTFILE and BITMAP line is linked in with .incbin, so that the
# program finds the same bytes by the same ids (bitmaps without their 14-byte
# file header, as Windows keeps them).
# File names in a script are found in: the script's folder, shaders/, and the
# generated art folder of the build tree. A script may #include headers from
# the source tree (e.g. "about/product_facts.h") and the generated
# "glimmerpond_version.h", which carries the project's version.
set(GP_ART_DIR "${GP_GEN_DIR}/art")
set(GP_VERSION_HEADER "${GP_GEN_DIR}/include/glimmerpond_version.h")
configure_file("${CMAKE_SOURCE_DIR}/resources/version.h.in" "${GP_VERSION_HEADER}" @ONLY)

function(gp_resource_search_path out script)
    get_filename_component(script_dir "${script}" DIRECTORY)
    set(${out} "${script_dir}" "${CMAKE_SOURCE_DIR}/resources" "${CMAKE_SOURCE_DIR}/shaders"
        "${GP_ART_DIR}" PARENT_SCOPE)
endfunction()

# The list of floor pictures (resources/background_pictures.def): their bitmap
# ids and file names, in the scene's order.
set(GP_BACKGROUND_TABLE "${CMAKE_SOURCE_DIR}/resources/background_pictures.def")
function(gp_read_background_table out_ids out_files)
    file(STRINGS "${GP_BACKGROUND_TABLE}" lines REGEX "^GP_BACKGROUND\\(")
    set(ids "")
    set(files "")
    foreach(line IN LISTS lines)
        string(REGEX MATCH "^GP_BACKGROUND\\(([0-9]+), *\"([^\"]+)\"" _ "${line}")
        list(APPEND ids "${CMAKE_MATCH_1}")
        list(APPEND files "${CMAKE_MATCH_2}")
    endforeach()
    set(${out_ids} "${ids}" PARENT_SCOPE)
    set(${out_files} "${files}" PARENT_SCOPE)
endfunction()

# Reads "<id> <TYPE> "<file>"" lines into parallel lists of ids, types and
# resolved paths. A type is a name (TEXTFILE, BITMAP, ICON) or a number (24, a
# manifest); other statements (STRINGTABLE, VERSIONINFO blocks) are passed
# over. A script that includes the list of floor pictures gets one BITMAP line
# for each.
function(gp_read_resource_script script out_ids out_types out_paths)
    gp_resource_search_path(search "${script}")
    file(STRINGS "${script}" lines
         REGEX "^[ \t]*([0-9]+[ \t]+[A-Z0-9]+[ \t]+\"[^\"]+\"|#include \"background_pictures.def\")")
    set(ids "")
    set(types "")
    set(paths "")
    set(entries "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^#include")
            gp_read_background_table(table_ids table_files)
            foreach(id file IN ZIP_LISTS table_ids table_files)
                list(APPEND entries "${id}|BITMAP|${file}")
            endforeach()
            continue()
        endif()
        string(REGEX MATCH "^[ \t]*([0-9]+)[ \t]+([A-Z0-9]+)[ \t]+\"([^\"]+)\"" _ "${line}")
        list(APPEND entries "${CMAKE_MATCH_1}|${CMAKE_MATCH_2}|${CMAKE_MATCH_3}")
    endforeach()
    foreach(entry IN LISTS entries)
        string(REPLACE "|" ";" fields "${entry}")
        list(GET fields 0 id)
        list(GET fields 1 type)
        list(GET fields 2 name)
        set(found "")
        foreach(dir IN LISTS search)
            if(EXISTS "${dir}/${name}" OR "${dir}" STREQUAL "${GP_ART_DIR}")
                set(found "${dir}/${name}")
                if(EXISTS "${found}")
                    break()
                endif()
            endif()
        endforeach()
        list(APPEND ids "${id}")
        list(APPEND types "${type}")
        list(APPEND paths "${found}")
    endforeach()
    set(${out_ids} "${ids}" PARENT_SCOPE)
    set(${out_types} "${types}" PARENT_SCOPE)
    set(${out_paths} "${paths}" PARENT_SCOPE)
endfunction()

function(gp_add_resources target script)
    gp_read_resource_script("${script}" ids types paths)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${script}"
                 "${GP_BACKGROUND_TABLE}")
    if(WIN32)
        add_library(${target} OBJECT "${script}")
        gp_resource_search_path(search "${script}")
        target_include_directories(${target} PRIVATE ${search} "${CMAKE_SOURCE_DIR}"
                                   "${GP_GEN_DIR}/include")
        # windres leaves no list of what it read: name the included headers too.
        file(STRINGS "${script}" includes REGEX "^#include \"[^\"]+\"")
        foreach(include IN LISTS includes)
            string(REGEX MATCH "\"([^\"]+)\"" _ "${include}")
            foreach(dir IN LISTS search ITEMS "${CMAKE_SOURCE_DIR}" "${GP_GEN_DIR}/include")
                if(EXISTS "${dir}/${CMAKE_MATCH_1}")
                    list(APPEND paths "${dir}/${CMAKE_MATCH_1}")
                    break()
                endif()
            endforeach()
        endforeach()
        set_source_files_properties("${script}" PROPERTIES OBJECT_DEPENDS "${paths}")
    else()
        set(asm "${CMAKE_CURRENT_BINARY_DIR}/${target}.S")
        set(table "${CMAKE_CURRENT_BINARY_DIR}/${target}_table.cpp")
        set(asm_text ".section .rodata\n")
        set(table_text "// Generated from ${script}\n#include \"platform/embedded_resources.h\"\n\n")
        set(entries "")
        set(embedded "")
        list(LENGTH ids count)
        if(count GREATER 0)
            math(EXPR last "${count} - 1")
            foreach(i RANGE ${last})
                list(GET ids ${i} id)
                list(GET types ${i} type)
                list(GET paths ${i} path)
                if(NOT type STREQUAL "TEXTFILE" AND NOT type STREQUAL "BITMAP")
                    continue()
                endif()
                set(skip "")
                if(type STREQUAL "BITMAP")
                    set(skip ", 14")
                endif()
                set(sym "${target}_${type}_${id}")
                string(APPEND asm_text ".balign 16\n.global ${sym}\n${sym}:\n"
                       ".incbin \"${path}\"${skip}\n.global ${sym}_end\n${sym}_end:\n")
                string(APPEND table_text "extern \"C\" const unsigned char ${sym}[], ${sym}_end[];\n")
                string(APPEND entries "    {\"${type}\", ${id}, ${sym}, ${sym}_end},\n")
                list(APPEND embedded "${path}")
            endforeach()
        endif()
        string(APPEND asm_text ".section .note.GNU-stack,\"\",%progbits\n")
        string(APPEND table_text "\nextern const EmbeddedResource gpEmbeddedResources[] = {\n"
               "${entries}    {nullptr, 0, nullptr, nullptr},\n};\n")
        file(GENERATE OUTPUT "${asm}" CONTENT "${asm_text}")
        file(GENERATE OUTPUT "${table}" CONTENT "${table_text}")
        # Objects rather than an archive: the platform layer, linked after them,
        # looks the table up, so it must not be left out of the link.
        add_library(${target} OBJECT "${asm}" "${table}")
        target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}")
        set_source_files_properties("${asm}" PROPERTIES OBJECT_DEPENDS "${embedded}")
    endif()
endfunction()
