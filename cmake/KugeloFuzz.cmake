# -DKUGELO_FUZZ=ON builds the domain with libFuzzer's coverage and the address and undefined-behaviour
# sanitizers, and adds the fuzz targets of fuzz/. Needs clang (CMAKE_CXX_COMPILER=clang++); scripts/fuzz
# configures such a build in build-fuzz.
option(KUGELO_FUZZ "Build the fuzz targets (clang, libFuzzer, ASan, UBSan)" OFF)
if(KUGELO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KUGELO_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  # Every target is instrumented for coverage; only the fuzz targets link libFuzzer's main.
  target_compile_options(kugelo_warnings INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(kugelo_warnings INTERFACE -fsanitize=address,undefined)
endif()
