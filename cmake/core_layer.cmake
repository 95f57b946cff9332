# The core (start-up, word list, feedback, exercise logic) must stay runnable without the toolkit: QtCore only.

# Refuses, when CMake configures, a core source that includes a GUI, widget or multimedia header.
function(tavenzo_check_core_includes target)
    get_target_property(sources ${target} SOURCES)
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" forbidden REGEX
            "#include *<(QtGui|QtWidgets|QtMultimedia|QtSvg)[/>]|#include *<Q(Image|Pixmap|Color|Widget|Application|GuiApplication|Painter|Font|SoundEffect|MediaPlayer|MessageBox|FileDialog|Label|PushButton)>")
        if(forbidden)
            message(FATAL_ERROR "${source} includes a toolkit header (${forbidden}); the core may use QtCore only.")
        endif()
    endforeach()
endfunction()

# Links every object of the library into a small program against what the library itself declares, and fails the
# build when that cannot link (a core file uses something of the toolkit) or when the program needs a toolkit
# library (the library was given one to link).
function(tavenzo_check_core_links target)
    set(check ${target}_link_check)
    add_executable(${check} "${CMAKE_SOURCE_DIR}/cmake/link_check_main.cpp")
    target_link_libraries(${check} PRIVATE -Wl,--whole-archive ${target} -Wl,--no-whole-archive)
    # Every library the target brings is recorded, used or not, so the check sees what it declares.
    target_link_options(${check} PRIVATE -Wl,--no-as-needed)
    add_custom_command(TARGET ${check} POST_BUILD
        COMMAND "${CMAKE_COMMAND}" -DPROGRAM=$<TARGET_FILE:${check}> -DLIBRARY=${target}
            -P "${CMAKE_SOURCE_DIR}/cmake/check_needed_libraries.cmake"
        VERBATIM)
    set_target_properties(${check} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/checks")
endfunction()
