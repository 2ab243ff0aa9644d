# The manual pages, made by help2man from each program's own --help, so that page and
# program never disagree; compressed as Debian installs them. Without help2man there are
# no pages (tools/deps.sh package installs it).
find_program(HELP2MAN help2man)
find_program(GZIP gzip)
if(NOT HELP2MAN OR NOT GZIP)
    message(STATUS "help2man or gzip not found: no manual pages (tools/deps.sh package)")
    return()
endif()

set(man_mvfind "search folders for files by name, content, size and date")
set(man_hgrep "print the lines of files that match a pattern, by sound or with mismatches")
set(man_MVFinder "desktop file finder in the system tray")
set(man_vantorviewer "multi-document text viewer and editor")

set(man_dir ${CMAKE_CURRENT_BINARY_DIR}/man)
set(pages "")
foreach(program ${programs})
    set(page ${man_dir}/${program}.1)
    add_custom_command(
        OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
        # Offscreen: a windowed program answers --help before it looks for a display, but
        # must not find one either way; one that does not answer fails the build, not hangs.
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                timeout 60 ${HELP2MAN} --no-info --section=1
                --name=${man_${program}} --version-string=${PROJECT_VERSION}
                --output=${page} $<TARGET_FILE:${program}>
        COMMAND ${GZIP} -9nf ${page}
        DEPENDS ${program}
        COMMENT "Writing the manual page of ${program}"
        VERBATIM)
    list(APPEND pages ${page}.gz)
endforeach()
add_custom_target(mvf_man_pages ALL DEPENDS ${pages})
install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
