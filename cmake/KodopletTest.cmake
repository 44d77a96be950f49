# kodoplet_add_test(<name> LIBS <libs...> SOURCES <files...>)
# One QtTest executable registered with CTest, run headless.
function(kodoplet_add_test name)
  cmake_parse_arguments(T "" "" "LIBS;SOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # GUI tests get the test doubles of the platform seams.
  if(kodoplet_ui IN_LIST T_LIBS)
    list(APPEND T_LIBS kodoplet_testsupport)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox --disable-gpu;KODOPLET_SOURCE_DIR=${CMAKE_SOURCE_DIR};KODOPLET_BUILD_DIR=${CMAKE_BINARY_DIR}"
    TIMEOUT 300)
endfunction()
