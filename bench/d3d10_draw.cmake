# The layer's per-draw path: applying an effect pass (with a changed matrix
# or with nothing changed), drawing, and presenting.
find_package(benchmark REQUIRED)
add_executable(bench-d3d10-draw ${CMAKE_CURRENT_LIST_DIR}/d3d10_draw.cpp)
target_link_libraries(bench-d3d10-draw PRIVATE platform benchmark::benchmark)
