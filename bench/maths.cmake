# Building the hexagon field's 1,600 cell spindles, the largest mesh build at
# start-up.
find_package(benchmark REQUIRED)
add_executable(bench-spindles ${CMAKE_CURRENT_LIST_DIR}/SpindleMeshBench.cpp)
target_link_libraries(bench-spindles PRIVATE framework benchmark::benchmark)
