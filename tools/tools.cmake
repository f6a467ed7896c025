# image-tool draws every image of data/images/; the test images-reproduce
# proves that the committed files are exactly what it draws.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBPNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(GIFLIB REQUIRED IMPORTED_TARGET libgif)
find_path(STB_INCLUDE_DIR stb/stb_truetype.h REQUIRED)
# The caption's face, from Debian's fonts-dejavu-core.
find_file(BRIMVALE_CAPTION_FONT DejaVuSans-Bold.ttf
          PATHS /usr/share/fonts PATH_SUFFIXES truetype/dejavu REQUIRED)

file(GLOB IMAGE_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(REMOVE_ITEM IMAGE_TOOL_SOURCES ${CMAKE_CURRENT_LIST_DIR}/ImageTool.cpp)
add_library(imagetool STATIC ${IMAGE_TOOL_SOURCES})
target_include_directories(imagetool PUBLIC ${CMAKE_CURRENT_LIST_DIR} PRIVATE ${STB_INCLUDE_DIR})
target_compile_definitions(imagetool PRIVATE BRIMVALE_CAPTION_FONT="${BRIMVALE_CAPTION_FONT}")
target_link_libraries(imagetool PUBLIC PkgConfig::LIBPNG PkgConfig::GIFLIB)

add_executable(image-tool ${CMAKE_CURRENT_LIST_DIR}/ImageTool.cpp)
target_link_libraries(image-tool PRIVATE imagetool)
set_target_properties(image-tool PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})

if(BRIMVALE_TESTS)
  add_test(NAME images-reproduce
           COMMAND image-tool --check ${PROJECT_SOURCE_DIR}/data/images)

  file(GLOB IMAGE_TOOL_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/tools/*.cpp)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  add_executable(tools-tests ${IMAGE_TOOL_TESTS} ${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp)
  target_link_libraries(tools-tests PRIVATE imagetool GTest::gtest)
  gtest_discover_tests(tools-tests WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} DISCOVERY_TIMEOUT 60)
endif()
