# The show's speed in both build configurations, and the bare OpenGL program
# that draws the same hexagon field without the layer: bench/run.sh runs them
# and prints the table.

# Every GL entry point the layer names, for the call counter: the sources of
# each family's library.
set(_bench_platform_sources)
foreach(_family ${PLATFORM_FAMILIES})
  get_target_property(_sources platform_${_family} SOURCES)
  list(APPEND _bench_platform_sources ${_sources})
endforeach()
set(_bench_gl_names)
foreach(_source ${_bench_platform_sources})
  file(STRINGS ${_source} _lines REGEX "gl[A-Z][A-Za-z0-9]*\\(")
  foreach(_line ${_lines})
    string(REGEX MATCHALL "gl[A-Z][A-Za-z0-9]*\\(" _calls "${_line}")
    foreach(_call ${_calls})
      string(REPLACE "(" "" _call "${_call}")
      list(APPEND _bench_gl_names ${_call})
    endforeach()
  endforeach()
endforeach()
list(APPEND _bench_gl_names glFinish glFlush)
list(REMOVE_DUPLICATES _bench_gl_names)
list(SORT _bench_gl_names)
set(_bench_gl_entries "")
foreach(_name ${_bench_gl_names})
  string(APPEND _bench_gl_entries "BENCH_GL_ENTRY(${_name})\n")
endforeach()
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/generated/bench_gl_entries.h CONTENT "${_bench_gl_entries}")

foreach(_config windowed fullscreen)
  add_executable(bench-show-${_config} ${CMAKE_CURRENT_LIST_DIR}/ShowBench.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/GlCallCounter.cpp $<TARGET_OBJECTS:shell_${_config}>)
  target_include_directories(bench-show-${_config} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated
                             ${PROJECT_SOURCE_DIR}/show)
  target_link_libraries(bench-show-${_config} PRIVATE "$<LINK_GROUP:RESCAN,show,framework>" platform
                        PkgConfig::SDL2 PkgConfig::EPOXY dl)
endforeach()

add_executable(bench-bare-field ${CMAKE_CURRENT_LIST_DIR}/BareField.cpp)
target_link_libraries(bench-bare-field PRIVATE framework PkgConfig::SDL2 PkgConfig::EPOXY)
