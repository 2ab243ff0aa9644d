# Installs the build into an empty scratch prefix: cmake -DBUILD=... -DPREFIX=... -P this.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cmake --install ${BUILD} --prefix ${PREFIX} failed")
endif()
