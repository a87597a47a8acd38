set(KELVARA_TESTS_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests)

# kelvara_add_test(NAME SOURCES ... [LIBS ...] [NEEDS_GUI]): one GoogleTest executable registered with CTest.
function(kelvara_add_test name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "NEEDS_GUI" "" "SOURCES;LIBS")
    if(ARG_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "kelvara_add_test(${name}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT ARG_SOURCES)
        message(FATAL_ERROR "kelvara_add_test(${name}): SOURCES is required")
    endif()
    if(ARG_NEEDS_GUI)
        set(test_main ${KELVARA_TESTS_DIR}/support/main/GuiTestMain.cpp)
    else()
        set(test_main ${KELVARA_TESTS_DIR}/support/main/CoreTestMain.cpp)
    endif()
    add_executable(${name} ${ARG_SOURCES} ${test_main})
    kelvara_warnings(${name})
    target_link_libraries(${name} PRIVATE kelvara_test_support ${ARG_LIBS} GTest::gtest GTest::gmock)
    if(ARG_NEEDS_GUI)
        target_link_libraries(${name} PRIVATE kelvara_ui)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    # Tests start the program and the simulator, so both must be built first.
    add_dependencies(${name} kelvara kelvara-sim)
endfunction()
