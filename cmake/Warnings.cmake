# Warnings apply to our own targets only, never to consumers of the installed library.
add_library(orvane_warnings INTERFACE)
target_compile_options(orvane_warnings INTERFACE -Wall -Wextra -Werror)
