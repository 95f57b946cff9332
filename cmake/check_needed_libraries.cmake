# cmake -DPROGRAM=<file> -DLIBRARY=<name> -P check_needed_libraries.cmake
# Fails when the program needs a toolkit library beyond QtCore.
execute_process(COMMAND readelf --dynamic "${PROGRAM}" OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "readelf could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*\\[[^]]*\\]" needed "${dynamic}")
foreach(entry IN LISTS needed)
    if(entry MATCHES "libQt6(Gui|Widgets|Multimedia|Svg|OpenGL)")
        message(FATAL_ERROR "${LIBRARY} links ${CMAKE_MATCH_0}; the core may use QtCore only.")
    endif()
endforeach()
