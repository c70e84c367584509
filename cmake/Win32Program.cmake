# The wide functions throughout: every macro that names a text function names its W form.
add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600 UNICODE _UNICODE)
add_link_options(-static -static-libgcc -static-libstdc++)

# The program's entry belongs to the program alone, not to the test runners.
set(entry_source ${CMAKE_SOURCE_DIR}/main/win32/WinMain.cpp)
list(REMOVE_ITEM win32_sources ${entry_source})

# libjpeg, built for Windows from Debian's sources by scripts/deps.
set(KELVANE_LIBJPEG_DIR ${CMAKE_SOURCE_DIR}/build/deps/libjpeg-win32 CACHE PATH
    "Install folder of libjpeg built for 32-bit Windows (include/, lib/libjpeg.a)")
if(NOT EXISTS ${KELVANE_LIBJPEG_DIR}/include/jpeglib.h OR
   NOT EXISTS ${KELVANE_LIBJPEG_DIR}/lib/libjpeg.a)
  message(FATAL_ERROR "libjpeg for Windows is missing in ${KELVANE_LIBJPEG_DIR}: run scripts/deps "
                      "as root to build it, or set KELVANE_LIBJPEG_DIR to where it is installed")
endif()
add_library(libjpeg STATIC IMPORTED)
set_target_properties(libjpeg PROPERTIES
  IMPORTED_LOCATION ${KELVANE_LIBJPEG_DIR}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${KELVANE_LIBJPEG_DIR}/include)

add_library(kelvane_win32 STATIC ${win32_sources})
target_link_libraries(kelvane_win32
  PUBLIC kelvane_core libjpeg advapi32 shell32 ole32 comctl32 user32 gdi32)

# The version resource and the manifest carry the project's version.
set(generated_dir ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/resources/KelvaneVersion.h.in ${generated_dir}/KelvaneVersion.h
               @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/Kelvane.manifest.in ${generated_dir}/Kelvane.manifest
               @ONLY)
include_directories(${generated_dir})

# windres reports nothing it includes: any change among the resources rebuilds them.
set(program_resources ${CMAKE_SOURCE_DIR}/main/win32/Kelvane.rc)
file(GLOB resource_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*)
foreach(folder IN LISTS KELVANE_SUBSYSTEMS)
  file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/win32/*.rc
       ${CMAKE_SOURCE_DIR}/${folder}/win32/*Ids.h)
  list(APPEND resource_files ${found})
endforeach()
list(APPEND resource_files ${generated_dir}/KelvaneVersion.h ${generated_dir}/Kelvane.manifest)
set_source_files_properties(${program_resources}
  PROPERTIES OBJECT_DEPENDS "${resource_files}")

add_executable(Kelvane WIN32 ${entry_source} ${program_resources})
target_link_libraries(Kelvane PRIVATE kelvane_win32)

# GoogleTest from the sources Debian ships, built for Windows.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The conformance suite against the live registry and drives.
file(GLOB conformance_sources CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/conformance/*.cpp
  ${CMAKE_SOURCE_DIR}/tests/conformance/win32/*.cpp)
add_executable(conformance_tests ${conformance_sources})
target_link_libraries(conformance_tests PRIVATE kelvane_win32 kelvane_memory gtest gtest_main)

# Benchmarks print figures; no test runs them.
add_executable(scan_benchmark ${CMAKE_SOURCE_DIR}/tests/bench/win32/WineWalkBenchmark.cpp)
target_link_libraries(scan_benchmark PRIVATE kelvane_win32)

# A large repair, each item backed up and read back, against plain deletion.
add_executable(repair_benchmark ${CMAKE_SOURCE_DIR}/tests/bench/win32/RepairBenchmark.cpp)
target_link_libraries(repair_benchmark PRIVATE kelvane_win32)

# The main window driven from outside while a second process times its answers
# (scripts/bench-window).
add_executable(window_probe ${CMAKE_SOURCE_DIR}/tests/bench/win32/WindowProbe.cpp)
target_link_libraries(window_probe PRIVATE kelvane_win32)
add_executable(window_benchmark ${CMAKE_SOURCE_DIR}/tests/bench/win32/WindowBenchmark.cpp)
target_link_libraries(window_benchmark PRIVATE kelvane_win32)

# Every category over the registry of a prefix filled from real hives (scripts/hive-scan).
add_executable(hive_scan ${CMAKE_SOURCE_DIR}/tests/bench/win32/HiveScan.cpp)
target_link_libraries(hive_scan PRIVATE kelvane_win32)

# Windows driven by their messages; needs a display (Xvfb).
file(GLOB window_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
add_executable(window_tests ${window_test_sources} ${program_resources})
target_link_libraries(window_tests PRIVATE kelvane_win32 gtest gtest_main)

# The language files and the help document lie beside the program (built into the top of the
# build folder), where it looks for them; an edited file is copied again at the next build.
file(GLOB language_files RELATIVE ${CMAKE_SOURCE_DIR}/resources CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/resources/Lan_*.ini)
foreach(program_file ${language_files} Kelvane.html)
  configure_file(${CMAKE_SOURCE_DIR}/resources/${program_file} ${CMAKE_BINARY_DIR}/${program_file}
                 COPYONLY)
endforeach()

# Lays the program's main window out for the README's pictures (scripts/screenshots).
add_executable(pose_main_window ${CMAKE_SOURCE_DIR}/tests/tools/win32/PoseMainWindow.cpp)
target_link_libraries(pose_main_window PRIVATE kelvane_win32)
