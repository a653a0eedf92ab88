# -DKUGELO_SANITIZE=ON builds everything with the address and undefined-behaviour sanitizers. The flags live
# on an interface target of their own; the domain library passes it on to every program that links it.
option(KUGELO_SANITIZE "Build with -fsanitize=address,undefined" OFF)
add_library(kugelo_sanitizers INTERFACE)
if(KUGELO_SANITIZE)
  target_compile_options(kugelo_sanitizers INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(kugelo_sanitizers INTERFACE -fsanitize=address,undefined)
endif()
