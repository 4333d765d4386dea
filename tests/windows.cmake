# The Windows build's tests: the library's suites that do not look inside our
# own GDI, drawing through the system's (Wine's under scripts/windows-check).
#
# GoogleTest comes from Debian's source package, built with the cross compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Every suite may compare with the reference GDI's pictures (tests/support).
add_compile_definitions(HMIGFX_GDI_SCRIPTS="${CMAKE_CURRENT_SOURCE_DIR}/gdi"
                        HMIGFX_GOLDEN_DIR="${CMAKE_CURRENT_SOURCE_DIR}/golden")

# Left out, by reason:
set(HMIGFX_WINDOWS_SKIPPED_TESTS
  # they run the hmigfx program through POSIX process calls (fork, waitpid)
  app/cli_test.cpp app/print_cli_test.cpp
  # it reads the program's path from /proc/self/exe
  afx/app_test.cpp
  # their fixtures make picture files with OpenCV, which has no Windows build here
  brush/pattern_file_golden_test.cpp brush/pattern_library_test.cpp imagesdk/file_library_test.cpp
  # they print to the Linux platform's PDF printer (and own the clipboard with a made-up window)
  brush/print_gradient_test.cpp imagesdk/display_paint_test.cpp)
list(TRANSFORM HMIGFX_WINDOWS_SKIPPED_TESTS PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)

foreach(suite afx dc brush text object3d imaging)
  file(GLOB suite_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${suite}/*.cpp)
  list(REMOVE_ITEM suite_sources ${HMIGFX_WINDOWS_SKIPPED_TESTS})
  if(suite_sources)
    add_executable(${suite}_test ${suite_sources})
    target_link_libraries(${suite}_test PRIVATE hmigfx hmigfx_pngio gtest_main)
  endif()
endforeach()
# The pattern and imaging tests make their pictures without OpenCV here
# (tests/imagesdk/fixtures.cpp) and reach the pattern library, internal to the library.
foreach(suite brush imaging)
  target_sources(${suite}_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/imagesdk/fixtures.cpp)
  target_include_directories(${suite}_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
endforeach()
file(GLOB IMAGESDK_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/imagesdk/*.cpp)
list(REMOVE_ITEM IMAGESDK_TEST_SOURCES ${HMIGFX_WINDOWS_SKIPPED_TESTS})
add_executable(imagesdk_test ${IMAGESDK_TEST_SOURCES})
target_link_libraries(imagesdk_test PRIVATE hmigfx_imagesdk hmigfx_pngio gtest_main)

# The text goldens spell out their calls as reference-GDI scripts, run here on the system's GDI.
file(GLOB GDISCRIPT_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tools/gdiscript/*.cpp)
target_sources(text_test PRIVATE ${GDISCRIPT_SOURCES})
target_include_directories(text_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tools/gdiscript)
target_include_directories(object3d_test PRIVATE ${PROJECT_SOURCE_DIR}/src)

file(GLOB APP_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/app/*.cpp)
list(REMOVE_ITEM APP_TEST_SOURCES ${HMIGFX_WINDOWS_SKIPPED_TESTS})
add_executable(app_test ${APP_TEST_SOURCES})
target_link_libraries(app_test PRIVATE hmigfx_app gtest_main)
target_compile_definitions(app_test PRIVATE HMIGFX_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
