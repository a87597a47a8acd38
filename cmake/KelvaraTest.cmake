set(KELVARA_TESTS_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests)

# kelvara_add_test(NAME SOURCES ... [LIBS ...] [NEEDS_GUI] [NEEDS_PROGRAMS] [TIMEOUT seconds]): one GoogleTest
# executable registered with CTest.
#   NEEDS_GUI       widget tests: the GUI test main and the ui library.
#   NEEDS_PROGRAMS  its tests start the kelvara program or the kelvara-sim simulator, so both are built first.
#   TIMEOUT         the CTest limit of each of its tests, in seconds (60 when not given).
function(kelvara_add_test name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "NEEDS_GUI;NEEDS_PROGRAMS" "TIMEOUT" "SOURCES;LIBS")
    if(ARG_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "kelvara_add_test(${name}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
    endif()
    if(ARG_KEYWORDS_MISSING_VALUES)
        message(FATAL_ERROR "kelvara_add_test(${name}): no value given for ${ARG_KEYWORDS_MISSING_VALUES}")
    endif()
    if(NOT ARG_SOURCES)
        message(FATAL_ERROR "kelvara_add_test(${name}): SOURCES is required")
    endif()
    if(NOT DEFINED ARG_TIMEOUT)
        set(ARG_TIMEOUT 60)
    elseif(NOT ARG_TIMEOUT MATCHES "^[1-9][0-9]*$")
        message(FATAL_ERROR "kelvara_add_test(${name}): TIMEOUT takes a whole number of seconds, not ${ARG_TIMEOUT}")
    endif()
    if(ARG_NEEDS_GUI)
        set(test_main ${KELVARA_TESTS_DIR}/support/main/GuiTestMain.cpp)
    else()
        set(test_main ${KELVARA_TESTS_DIR}/support/main/CoreTestMain.cpp)
    endif()
    add_executable(${name} ${ARG_SOURCES} ${test_main})
    kelvara_warnings(${name})
    # Every failure shows Qt strings as text rather than as bytes.
    target_compile_options(${name} PRIVATE -include ${KELVARA_TESTS_DIR}/support/QtPrinters.h)
    target_link_libraries(${name} PRIVATE kelvara_test_support ${ARG_LIBS} GTest::gtest GTest::gmock)
    if(ARG_NEEDS_GUI)
        target_link_libraries(${name} PRIVATE kelvara_ui)
    endif()
    # A table row's test is named after the row alone: the row's printed value would put bytes and addresses
    # into the name.
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        NO_PRETTY_VALUES
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT ${ARG_TIMEOUT})
    if(ARG_NEEDS_PROGRAMS)
        add_dependencies(${name} kelvara kelvara-sim)
    endif()
endfunction()
