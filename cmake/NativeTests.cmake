find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

file(GLOB unit_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${unit_test_sources})
target_link_libraries(unit_tests PRIVATE kelvane_memory GTest::gtest GTest::gtest_main Threads::Threads)

# The same conformance suite as the Windows runner, against the in-memory stand-ins.
file(GLOB conformance_sources CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/conformance/*.cpp
  ${CMAKE_SOURCE_DIR}/tests/conformance/native/*.cpp)
add_executable(conformance_tests ${conformance_sources})
target_link_libraries(conformance_tests PRIVATE kelvane_memory GTest::gtest GTest::gtest_main Threads::Threads)

# Benchmarks print figures; no test runs them.
find_package(benchmark REQUIRED)
add_executable(scan_benchmark ${CMAKE_SOURCE_DIR}/tests/bench/FilesAndFoldersBenchmark.cpp)
target_link_libraries(scan_benchmark PRIVATE kelvane_memory benchmark::benchmark Threads::Threads)

# The language files shipped beside the program, checked against the code that reads them.
target_compile_definitions(unit_tests PRIVATE
  KELVANE_RESOURCES_FOLDER="${CMAKE_SOURCE_DIR}/resources/")
