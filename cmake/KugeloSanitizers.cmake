# -DKUGELO_SANITIZE=ON builds everything with the address and undefined-behaviour sanitizers.
option(KUGELO_SANITIZE "Build with -fsanitize=address,undefined" OFF)
if(KUGELO_SANITIZE)
  target_compile_options(kugelo_warnings INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(kugelo_warnings INTERFACE -fsanitize=address,undefined)
endif()
