# Hands glslangValidator what the program hands the driver: each text up to,
# not including, its first "~", with DEFINE's "#define" line after the version
# line of the fragment text when given. Run with cmake -P and
#   -DVALIDATOR=<glslangValidator> -DOUTPUT_DIR=<folder> -DTEXTS=<a.vert;b.frag> [-DLINK=ON]
#   [-DDEFINE=<name>]
set(cut_texts "")
foreach(text IN LISTS TEXTS)
    file(READ "${text}" content)
    string(FIND "${content}" "~" marker)
    if(marker EQUAL -1)
        message(FATAL_ERROR "${text} has no \"~\" end marker")
    endif()
    string(SUBSTRING "${content}" 0 ${marker} cut)
    if(DEFINE AND text MATCHES "\\.frag$")
        string(REGEX REPLACE "^([^\n]*\n)" "\\1#define ${DEFINE}\n" cut "${cut}")
    endif()
    get_filename_component(name "${text}" NAME)
    file(WRITE "${OUTPUT_DIR}/${name}" "${cut}")
    list(APPEND cut_texts "${OUTPUT_DIR}/${name}")
endforeach()

set(options "")
if(LINK)
    set(options -l)
endif()
execute_process(COMMAND "${VALIDATOR}" ${options} ${cut_texts}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "glslangValidator exited with ${result}")
endif()
