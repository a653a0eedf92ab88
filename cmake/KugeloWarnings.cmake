# One interface target carries the warning flags; every target of the project links it.
add_library(kugelo_warnings INTERFACE)
target_compile_options(kugelo_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror)
