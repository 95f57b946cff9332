# cmake -DBUILD_DIR=<build> -DTARGET=<link check target> -P expect_link_check_refuses.cmake
# Passes only when building the link check fails, and fails for the GUI class it was given.
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD_DIR}" --target "${TARGET}"
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(status EQUAL 0)
    message(FATAL_ERROR "${TARGET} linked although its library uses a GUI class")
endif()
if(NOT "${out}${err}" MATCHES "undefined reference to [`']QImage::")
    message(FATAL_ERROR "${TARGET} failed, but not on the GUI class:\n${out}${err}")
endif()
message(STATUS "refused as it should be: the library uses QImage, which QtCore does not provide")
