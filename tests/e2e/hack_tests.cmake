# The Linux build as an XScreenSaver hack: drawing into windows it is handed
# (by "/p", "--window-id" and XSCREENSAVER_WINDOW with "--root"), and under the
# real XScreenSaver daemon, installed as a user would install it.
find_package(X11 REQUIRED)
add_executable(x11_host_window x11_host_window.c)
target_link_libraries(x11_host_window PRIVATE gp_warnings)
target_link_libraries(x11_host_window PRIVATE X11::X11)
set_target_properties(x11_host_window PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
add_executable(frame_watch frame_watch.c)
target_link_libraries(frame_watch PRIVATE gp_warnings)
target_link_libraries(frame_watch PRIVATE X11::X11)
set_target_properties(frame_watch PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")

gp_add_e2e_test(native.preview 90 native_test.sh preview)
gp_add_e2e_test(native.hack_window_id 90 native_test.sh hack-window-id)
gp_add_e2e_test(native.hack_own_window 90 native_test.sh hack-own-window)
gp_add_e2e_test(native.hack_root_windows 120 native_test.sh hack-root-windows)
gp_add_e2e_test(native.hack_small_window_decision 180 native_test.sh hack-small-window-decision)
gp_add_e2e_test(native.hack_stall_decides_nothing 120 native_test.sh hack-stall-decides-nothing)
gp_add_e2e_test(native.hack_unmapped_pauses 120 native_test.sh hack-unmapped-pauses)
gp_add_e2e_test(native.xscreensaver_daemon 150 xscreensaver_daemon_test.sh)

# glfwAttachNativeWindow itself, with windows of another X connection.
find_package(OpenGL REQUIRED COMPONENTS GLX)
add_executable(x11_attach_test x11_attach_test.cpp)
target_link_libraries(x11_attach_test PRIVATE gp_warnings)
target_include_directories(x11_attach_test PRIVATE "${CMAKE_SOURCE_DIR}")
target_link_libraries(x11_attach_test PRIVATE glfw X11::X11 OpenGL::GLX)
set_target_properties(x11_attach_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
gp_add_e2e_test(native.x11_attach_window 60 native_test.sh x11-attach)
