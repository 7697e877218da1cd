# The one place that says how every target of the project is compiled.
add_library(cuisinotte_options INTERFACE)
target_compile_options(cuisinotte_options INTERFACE
    -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Wold-style-cast)
target_compile_definitions(cuisinotte_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CONTEXTLESS_CONNECT)
