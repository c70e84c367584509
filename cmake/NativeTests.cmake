find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
include(GoogleTest)
enable_testing()

file(GLOB unit_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${unit_test_sources})
target_link_libraries(unit_tests PRIVATE kelvane_memory GTest::gtest GTest::gtest_main Threads::Threads)

# The same conformance suite as the Windows runner, against the in-memory stand-ins.
file(GLOB conformance_sources CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/conformance/*.cpp
  ${CMAKE_SOURCE_DIR}/tests/conformance/native/*.cpp)
add_executable(conformance_tests ${conformance_sources})
target_link_libraries(conformance_tests PRIVATE kelvane_memory GTest::gtest GTest::gtest_main Threads::Threads)

# Every test case of both runners is a test of its own for ctest; each works in a scratch folder
# of its own, so they may run side by side.
gtest_discover_tests(unit_tests)
gtest_discover_tests(conformance_tests TEST_PREFIX "conformance.")

# Benchmarks print figures; no test runs them.
find_package(benchmark REQUIRED)
add_executable(scan_benchmark ${CMAKE_SOURCE_DIR}/tests/bench/FilesAndFoldersBenchmark.cpp)
target_link_libraries(scan_benchmark PRIVATE kelvane_memory benchmark::benchmark Threads::Threads)

# The language files shipped beside the program, checked against the code that reads them.
target_compile_definitions(unit_tests PRIVATE
  KELVANE_RESOURCES_FOLDER="${CMAKE_SOURCE_DIR}/resources/")
