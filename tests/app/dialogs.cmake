# The window tests of the two dialogs, one QtTest executable each, run on the offscreen platform.
# Included from tests/app/CMakeLists.txt.
find_package(Qt6 REQUIRED COMPONENTS Test Widgets)

foreach(dialog unit2 unit3)
  add_executable(${dialog}_test ${CMAKE_CURRENT_LIST_DIR}/${dialog}_test.cpp
                                ${CMAKE_CURRENT_LIST_DIR}/dialog_test.h)
  set_target_properties(${dialog}_test PROPERTIES AUTOMOC ON)
  target_include_directories(${dialog}_test PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(${dialog}_test PRIVATE vavizi_app Qt6::Test)
  target_compile_options(${dialog}_test PRIVATE ${VAVIZI_WARNINGS})
  add_test(NAME ${dialog}_test COMMAND ${dialog}_test)
  set_tests_properties(${dialog}_test PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endforeach()
