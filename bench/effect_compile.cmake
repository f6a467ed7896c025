# Compiling an effect at start-up: the effect level, the shaders to SPIR-V,
# and each shader's translation to GLSL.
find_package(benchmark REQUIRED)
add_executable(bench-effect-compile ${CMAKE_CURRENT_LIST_DIR}/effect_compile.cpp)
target_include_directories(bench-effect-compile PRIVATE ${PROJECT_SOURCE_DIR}/platform/effects)
target_link_libraries(bench-effect-compile PRIVATE platform_effects benchmark::benchmark)
