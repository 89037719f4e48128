# Proves at configure time that the catalogue and the model cannot include the application: a
# probe compiled with exactly the include roots of the layer must see the layer's own headers
# and must not see app/mainwindow.h.
foreach(layer catalog model)
    set(probe ${PROJECT_BINARY_DIR}/layercheck/${layer}.cpp)
    file(GLOB own_headers ${PROJECT_SOURCE_DIR}/src/${layer}/*.h)
    list(GET own_headers 0 own_header)
    get_filename_component(own_header ${own_header} NAME)
    file(WRITE ${probe}
        "#if !__has_include(\"${layer}/${own_header}\")\n"
        "#error the layer does not see its own headers\n"
        "#endif\n"
        "#if __has_include(\"app/mainwindow.h\")\n"
        "#error the layer sees the application\n"
        "#endif\n"
        "int main() { return 0; }\n")
    try_compile(sealed ${PROJECT_BINARY_DIR}/layercheck/${layer}-build SOURCES ${probe}
        CMAKE_FLAGS "-DINCLUDE_DIRECTORIES=${TEV_LAYER_ROOTS_${layer}}"
        OUTPUT_VARIABLE output)
    if(NOT sealed)
        message(FATAL_ERROR "The ${layer} layer can reach the application's headers:\n${output}")
    endif()
endforeach()
