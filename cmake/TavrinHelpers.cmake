# tavrin_core_library(NAME SOURCES...): a pure C++ library, no Qt allowed.
function(tavrin_core_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  set_property(GLOBAL APPEND PROPERTY TAVRIN_CORE_LIBS ${name})
endfunction()

# tavrin_gui_library(NAME SOURCES...): windows of one folder.
function(tavrin_gui_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC gui_app)
  set_property(GLOBAL APPEND PROPERTY TAVRIN_GUI_LIBS ${name})
endfunction()

function(_tavrin_discover name)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    NO_PRETTY_VALUES
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 300)
endfunction()

# tavrin_gtest(NAME SOURCES... LIBS libs...): one GoogleTest executable whose
# cases CTest lists one by one, with a QApplication. Every test runs headless.
function(tavrin_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} test_support GTest::gtest)
  _tavrin_discover(${name})
endfunction()

# tavrin_core_gtest(NAME SOURCES... LIBS core libs...): a suite of the pure
# core. It links core libraries and test_support_core only; the layer check
# fails the build when one of these programs needs a Qt library.
function(tavrin_core_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} test_support_core GTest::gtest_main)
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  set_property(GLOBAL APPEND PROPERTY TAVRIN_CORE_TESTS ${name})
  _tavrin_discover(${name})
endfunction()
