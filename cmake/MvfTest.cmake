include(MvfTestLocale)

# Helpers every test program may use (a scratch folder of real files, ...).
add_library(mvf_test_support INTERFACE)
target_include_directories(mvf_test_support INTERFACE ${CMAKE_SOURCE_DIR}/testsupport/include)
target_link_libraries(mvf_test_support INTERFACE GTest::gtest)

# mvf_place_beside_tests(TARGET): a helper program a test starts (a peer process, a probe)
# goes to build/tests with the test programs and, like them, finds the library in ../bin.
function(mvf_place_beside_tests target)
    set_target_properties(${target} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
        INSTALL_RPATH "\$ORIGIN/../bin")
endfunction()

# mvf_add_test(NAME [QT] SOURCES src... [LIBS lib...] [LABELS label...] [ENVIRONMENT VAR=value...])
# One GoogleTest program per layer. Test programs go to build/tests (not beside the
# deliverables) and find the library in ../bin. Each test case becomes its own CTest test,
# run with ENVIRONMENT set.
# QT: a program that tests Qt code. Its main (testsupport/qt_test_main.cpp) creates the
# QApplication, and CTest runs it with QT_QPA_PLATFORM=offscreen, so widgets work
# without a display.
function(mvf_add_test name)
    cmake_parse_arguments(T "QT" "" "SOURCES;LIBS;LABELS;ENVIRONMENT" ${ARGN})
    if(T_QT)
        find_package(Qt6 REQUIRED COMPONENTS Widgets)
        add_executable(${name} ${T_SOURCES} ${CMAKE_SOURCE_DIR}/testsupport/qt_test_main.cpp)
        target_link_libraries(${name} PRIVATE ${T_LIBS} mvf_test_support GTest::gtest GTest::gmock
                                              Qt6::Widgets)
        list(APPEND T_ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    else()
        add_executable(${name} ${T_SOURCES})
        target_link_libraries(${name} PRIVATE ${T_LIBS} mvf_test_support GTest::gtest GTest::gmock
                                              GTest::gtest_main)
    endif()
    mvf_place_beside_tests(${name})
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
        DISCOVERY_TIMEOUT 120
        PROPERTIES LABELS "${T_LABELS}" ENVIRONMENT "${T_ENVIRONMENT}")
endfunction()
