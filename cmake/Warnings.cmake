# Common compile options for every target of the project.
add_library(varnwick_options INTERFACE)
target_compile_options(varnwick_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual)
target_compile_definitions(varnwick_options INTERFACE QT_NO_CAST_TO_ASCII
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
if(VARNWICK_WERROR)
    target_compile_options(varnwick_options INTERFACE -Werror)
endif()
if(VARNWICK_SANITIZE)
    target_compile_options(varnwick_options INTERFACE -fsanitize=address,undefined
        -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(varnwick_options INTERFACE -fsanitize=address,undefined)
endif()
if(VARNWICK_FUZZ)
    # Coverage instrumentation for the code under test; the fuzz targets link the fuzzer itself.
    target_compile_options(varnwick_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
        -fno-omit-frame-pointer)
    target_link_options(varnwick_options INTERFACE -fsanitize=address,undefined)
endif()
