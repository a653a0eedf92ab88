# One interface target carries the warning flags; every target of the project links it.
# -DKUGELO_WERROR=OFF keeps the warnings but lets a build with a newer compiler finish; CI builds with it on.
option(KUGELO_WERROR "Treat compiler warnings as errors" ON)
add_library(kugelo_warnings INTERFACE)
target_compile_options(kugelo_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(KUGELO_WERROR)
  target_compile_options(kugelo_warnings INTERFACE -Werror)
endif()
