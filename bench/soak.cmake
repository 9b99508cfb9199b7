# The long run (bench/soak.sh): soak_probe is the shipped program behind an
# entry that runs the scene's timer fast and reports resident memory and the
# GL objects alive at every picture change.
add_executable(soak_probe WIN32 soak_probe.cpp soak_memory_${GP_PLATFORM}.cpp
               "${CMAKE_SOURCE_DIR}/tests/support/hooked_entry.cpp")
target_link_libraries(soak_probe PRIVATE gp_warnings)
target_link_libraries(soak_probe PRIVATE glimmer_core glimmer_resources)
if(WIN32)
    target_link_libraries(soak_probe PRIVATE psapi)
endif()
