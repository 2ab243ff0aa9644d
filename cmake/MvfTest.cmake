# mvf_add_test(NAME SOURCES src... [LIBS lib...] [LABELS label...])
# One GoogleTest program per layer, with the helpers of testsupport/. Test programs go to
# build/tests (not beside the deliverables) and find the library in ../bin. Each test case
# becomes its own CTest test.
function(mvf_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} mvf_test_support GTest::gtest GTest::gmock
                                          GTest::gtest_main)
    set_target_properties(${name} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
        INSTALL_RPATH "\$ORIGIN/../bin")
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
        DISCOVERY_TIMEOUT 120
        PROPERTIES LABELS "${T_LABELS}")
endfunction()
