# The scenes and the timeline drawn in the full-screen configuration
# (1280 x 1024, multisampled), against references of that size.
if(TARGET brimvale)
  set(FULLSCREEN_TEST_SOURCES
      ${CMAKE_CURRENT_SOURCE_DIR}/program/SceneFrames.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/program/ConformityTest.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/program/GrowthTest.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/program/RtModelTest.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/program/OverlayTest.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/program/HexFieldTest.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/program/DemoTest.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/program/GreetsTest.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/program/EndTest.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/program/SharedVerticesTest.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/support/TestMain.cpp)
  add_executable(program-fullscreen-tests ${FULLSCREEN_TEST_SOURCES} $<TARGET_OBJECTS:shell_fullscreen>)
  target_include_directories(program-fullscreen-tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/support
                             ${CMAKE_CURRENT_SOURCE_DIR}/program)
  target_link_libraries(program-fullscreen-tests PRIVATE "$<LINK_GROUP:RESCAN,show,framework>" platform GTest::gtest)
  gtest_discover_tests(program-fullscreen-tests WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                       TEST_PREFIX "fullscreen."
                       PROPERTIES ENVIRONMENT "SDL_VIDEODRIVER=offscreen"
                       DISCOVERY_TIMEOUT 60)
endif()
