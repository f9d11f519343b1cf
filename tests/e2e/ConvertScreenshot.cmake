# Converts the screenshot the end-to-end tests took to PNG.
find_program(CONVERT convert REQUIRED)
if(NOT EXISTS "${BMP}")
    message(FATAL_ERROR "no screenshot at ${BMP}")
endif()
execute_process(COMMAND ${CONVERT} ${BMP} ${PNG} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "convert failed on ${BMP}")
endif()
