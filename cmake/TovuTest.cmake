# add_tovu_test(<name> SOURCES <files…> LIBRARIES <targets…>)
# One GoogleTest executable per feature; each test case becomes a CTest test.
function(add_tovu_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main GTest::gmock tovu_warnings)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
