# The collation tests need a locale whose order is not byte order ("apple" before
# "Banana"). It is made in the build folder from the sources of Debian's locales package
# (tools/deps.sh installs it), so the repository holds no generated locale and nothing is
# installed for the whole system. MVF_TEST_LOCPATH is the folder to give as LOCPATH; when
# the locale cannot be made there, the tests that need it say so and skip.
set(MVF_TEST_LOCPATH ${CMAKE_BINARY_DIR}/locales)
set(_mvf_locale_stamp ${MVF_TEST_LOCPATH}/en_US.UTF-8.made)
add_custom_command(
    OUTPUT ${_mvf_locale_stamp}
    COMMAND ${CMAKE_COMMAND} -DLOCPATH=${MVF_TEST_LOCPATH} -DSTAMP=${_mvf_locale_stamp}
            -P ${CMAKE_CURRENT_LIST_DIR}/make_test_locale.cmake
    COMMENT "Making the en_US.UTF-8 locale of the collation tests"
    VERBATIM)
add_custom_target(mvf_test_locale ALL DEPENDS ${_mvf_locale_stamp})
