# cmake -DFOLDER=<folder> -DLOCK=ON|OFF -P LockFolder.cmake
# LOCK=ON makes the folder anew with one report in it and makes it immutable
# (chattr +i), which binds root too; LOCK=OFF makes it writable again. Where
# the file system or the user cannot do that, the folder stays writable and
# the test that wants it locked skips itself.
execute_process(COMMAND chattr -i ${FOLDER} RESULT_VARIABLE ignored OUTPUT_QUIET ERROR_QUIET)
if(NOT LOCK)
    return()
endif()
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
file(WRITE ${FOLDER}/report.txt "a report that must stay as it is\r\n")
execute_process(COMMAND chattr +i ${FOLDER} RESULT_VARIABLE locked ERROR_VARIABLE why)
if(NOT locked EQUAL 0)
    message(STATUS "${FOLDER} stays writable: ${locked} ${why}")
endif()
