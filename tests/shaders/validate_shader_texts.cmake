# Hands glslangValidator what the program hands the driver: each text up to,
# not including, its first "~". Run with cmake -P and
#   -DVALIDATOR=<glslangValidator> -DOUTPUT_DIR=<folder> -DTEXTS=<a.vert;b.frag> [-DLINK=ON]
set(cut_texts "")
foreach(text IN LISTS TEXTS)
    file(READ "${text}" content)
    string(FIND "${content}" "~" marker)
    if(marker EQUAL -1)
        message(FATAL_ERROR "${text} has no \"~\" end marker")
    endif()
    string(SUBSTRING "${content}" 0 ${marker} cut)
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
