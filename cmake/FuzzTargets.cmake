# One libFuzzer target per reader of outside input; fuzz_NAME has its seeds in
# tests/fuzz/corpus/NAME/.
function(kelvane_fuzz_target name source)
  add_executable(fuzz_${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/${source})
  target_link_libraries(fuzz_${name} PRIVATE kelvane_memory)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endfunction()

kelvane_fuzz_target(regfile RegFileFuzz.cpp)
kelvane_fuzz_target(profile ProfileFuzz.cpp)
kelvane_fuzz_target(language LanguageFuzz.cpp)
kelvane_fuzz_target(path PathFuzz.cpp)
