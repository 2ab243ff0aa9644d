# Runs localedef into LOCPATH; a machine without it (or without the locale sources) only
# loses the collation tests, never the build.
find_program(LOCALEDEF localedef)
if(LOCALEDEF)
    file(MAKE_DIRECTORY ${LOCPATH})
    execute_process(COMMAND ${LOCALEDEF} -i en_US -f UTF-8 ${LOCPATH}/en_US.UTF-8
                    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(WARNING "localedef failed (${result}): the collation tests will skip\n${errors}")
    endif()
else()
    message(WARNING "no localedef (Debian package locales): the collation tests will skip")
endif()
file(TOUCH ${STAMP})
