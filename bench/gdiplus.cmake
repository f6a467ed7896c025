# Reading an image pixel by pixel through GDI+, as the texture loader does.
find_package(benchmark REQUIRED)
add_executable(bench-gdiplus ${CMAKE_CURRENT_LIST_DIR}/gdiplus.cpp)
target_include_directories(bench-gdiplus PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(bench-gdiplus PRIVATE platform benchmark::benchmark)
