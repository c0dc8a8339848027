# Build helpers shared by every folder: one static library per folder, one test executable per file.

set(CONC_WARNINGS -Wall -Wextra)

# conc_add_library(<target> [DEPS <targets...>])
# Builds every .cpp/.h of the calling folder into one static library.
function(conc_add_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h"
       "${CMAKE_CURRENT_SOURCE_DIR}/*.qrc")
  set(compiled ${sources})
  list(FILTER compiled INCLUDE REGEX "\\.cpp$")
  if(NOT compiled)
    # Headers only so far.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_compile_options(${target} PRIVATE ${CONC_WARNINGS})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# conc_add_test(<name> [SOURCES <files...>] [LIBS <targets...>] [ENV <VAR=value...>])
# One QtTest executable, registered with CTest and run offscreen.
function(conc_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
  if(NOT ARG_SOURCES)
    set(ARG_SOURCES "${name}.cpp")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  # Tests are debugged far less than the programs: line tables are enough for a failure's backtrace, and the
  # full debug information of some 150 programs is much of their compile and link time.
  target_compile_options(${name} PRIVATE ${CONC_WARNINGS} $<$<CONFIG:RelWithDebInfo>:-g1>)
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/src" "${PROJECT_SOURCE_DIR}/tests")
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_property(GLOBAL APPEND PROPERTY CONC_TEST_TARGETS ${name})
  _conc_at_end(_conc_share_test_pch ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;CONC_SCHEMA_DIR=${PROJECT_SOURCE_DIR}/schema;${ARG_ENV}"
    TIMEOUT 600)
endfunction()

# Each test file reads some 250,000 lines of Qt headers, most of them the same: the tests of one folder that
# reach the same Qt modules share one precompiled header, made once by the first of them. The compiler takes a
# precompiled header only where every macro it mentions is defined alike; what differs between tests is the
# folder (QtTest's QT_TESTCASE_SOURCEDIR and QT_TESTCASE_BUILDDIR) and the modules (QT_WIDGETS_LIB and the
# like), hence the groups. With ccache, set CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,
# include_file_ctime, or ccache compiles every file that uses a precompiled header itself.
function(_conc_share_test_pch test)
  _conc_link_closure(${test} reached)
  set(modules "")
  foreach(t IN LISTS reached)
    if(t MATCHES "^Qt6?::([A-Za-z]+)$")
      list(APPEND modules ${CMAKE_MATCH_1})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES modules)
  list(SORT modules)
  get_target_property(dir ${test} SOURCE_DIR)
  # The file that gathers the moc output of a test's headers is mostly empty: loading the header would cost it
  # more than it saves.
  get_target_property(built ${test} BINARY_DIR)
  set_source_files_properties("${built}/${test}_autogen/mocs_compilation.cpp" TARGET_DIRECTORY ${test}
                              PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
  string(MD5 group "${dir};${modules}")
  get_property(donor GLOBAL PROPERTY CONC_TEST_PCH_${group})
  if(donor)
    target_precompile_headers(${test} REUSE_FROM ${donor})
    return()
  endif()
  set_property(GLOBAL PROPERTY CONC_TEST_PCH_${group} ${test})
  set(headers <QTest> <QDir> <QFile> <QFileInfo> <QTemporaryDir> <QString> <QStringList> <functional> <memory>)
  if("Sql" IN_LIST modules)
    list(APPEND headers <QSqlDatabase> <QSqlQuery> <QSqlError>)
  endif()
  if("Widgets" IN_LIST modules)
    list(APPEND headers <QApplication> <QWidget> <QPushButton> <QLineEdit> <QLabel>)
  endif()
  target_precompile_headers(${test} PRIVATE ${headers})
endfunction()

# conc_forbid_widgets(<target>)
# Keeps <target> free of Qt Gui and Widgets, by its links and by its includes:
# - the configure stops when its link libraries reach Qt Gui or Widgets by any road (walked once every folder
#   has declared its targets);
# - its sources, and every header of its folder, are compiled with a folder first on the include path that holds
#   a file for each header of Qt Gui and Qt Widgets, each stopping the compile with #error. Every other Qt module
#   built on them includes their headers, and without their include directories <QWidget> is not found at all,
#   so no road to a widget header compiles.
function(conc_forbid_widgets target)
  _conc_at_end(_conc_check_no_widgets ${target})

  _conc_widget_header_stops(stops)
  # The folder's headers in one file of their own: a header no source of the folder includes is checked too.
  get_target_property(folder ${target} SOURCE_DIR)
  file(GLOB headers CONFIGURE_DEPENDS "${folder}/*.h")
  list(SORT headers)
  set(text "// Written by conc_forbid_widgets (cmake/Conc.cmake): every header of ${target}'s folder.\n")
  foreach(h IN LISTS headers)
    file(RELATIVE_PATH h "${PROJECT_SOURCE_DIR}/src" "${h}")
    string(APPEND text "#include \"${h}\"\n")
  endforeach()
  set(checked "${CMAKE_CURRENT_BINARY_DIR}/${target}_headers.cpp")
  file(CONFIGURE OUTPUT "${checked}" CONTENT "${text}" @ONLY)
  add_library(${target}_headers OBJECT "${checked}")
  set_target_properties(${target}_headers PROPERTIES AUTOMOC OFF)
  target_compile_options(${target}_headers PRIVATE ${CONC_WARNINGS})
  target_link_libraries(${target}_headers PRIVATE ${target})
  set(compiled ${target}_headers)
  get_target_property(type ${target} TYPE)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    list(APPEND compiled ${target})
  endif()
  foreach(t IN LISTS compiled)
    target_include_directories(${t} BEFORE PRIVATE "${stops}")
  endforeach()
  set_property(GLOBAL APPEND PROPERTY CONC_WIDGET_FREE_COMPILES ${compiled})
endfunction()

# conc_add_widget_guard_test(<name>)
# A test that preprocesses, with the include path of each library kept free of widgets (and of its headers'
# check), a file including a Qt Gui or Widgets header, and sees it refused; a Qt Core header must pass.
function(conc_add_widget_guard_test name)
  set(listed "${CMAKE_CURRENT_BINARY_DIR}/${name}_targets.cmake")
  _conc_at_end(_conc_list_widget_free_compiles "${listed}")
  add_test(NAME ${name}
           COMMAND ${CMAKE_COMMAND} -DCXX=${CMAKE_CXX_COMPILER} -DTARGETS=${listed}
                   -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/${name} -P ${PROJECT_SOURCE_DIR}/cmake/WidgetGuardProbe.cmake)
endfunction()

function(_conc_list_widget_free_compiles listed)
  get_property(compiles GLOBAL PROPERTY CONC_WIDGET_FREE_COMPILES)
  set(text "")
  foreach(t IN LISTS compiles)
    string(APPEND text "list(APPEND targets ${t})\n"
                       "set(includes_${t} \"$<TARGET_PROPERTY:${t},INCLUDE_DIRECTORIES>\")\n")
  endforeach()
  file(GENERATE OUTPUT "${listed}" CONTENT "${text}")
endfunction()

# conc_widget_free_tests(<consumer> <library> <header>)
# Once every folder has registered its tests, writes <header>: CONC_WIDGET_FREE_TESTS lists, as C strings, the
# paths of the test programs (conc_add_test) that link <library> and reach no Qt Gui or Widgets, and <consumer>,
# which includes it, is built after them. A new test of <library> is in the list as soon as it is registered.
function(conc_widget_free_tests consumer library header)
  get_filename_component(dir "${header}" DIRECTORY)
  target_include_directories(${consumer} PRIVATE "${dir}")
  _conc_at_end(_conc_write_widget_free_tests ${consumer} ${library} "${header}")
endfunction()

function(_conc_write_widget_free_tests consumer library header)
  get_property(tests GLOBAL PROPERTY CONC_TEST_TARGETS)
  set(found "")
  string(CONCAT text "// Written by conc_widget_free_tests (cmake/Conc.cmake): the test programs that link "
                     "${library} and no\n// Qt Gui or Widgets.\n#pragma once\n#define CONC_WIDGET_FREE_TESTS")
  foreach(t IN LISTS tests)
    _conc_link_closure(${t} reached)
    _conc_first_widget_target(widgets ${reached})
    if(${library} IN_LIST reached AND NOT widgets)
      list(APPEND found ${t})
      string(APPEND text " \\\n    \"$<TARGET_FILE:${t}>\",")
    endif()
  endforeach()
  file(GENERATE OUTPUT "${header}" CONTENT "${text}\n")
  if(found)
    add_dependencies(${consumer} ${found})
  endif()
endfunction()

# conc_widget_free_test_set(<target> <list>)
# Once every folder has registered its tests: <target> builds each registered test (conc_add_test) that reaches no
# Qt Gui or Widgets and nothing else, and the file <list> names them, one a line. The sanitizer build
# (scripts/sanitize) builds and runs just that set.
function(conc_widget_free_test_set target list)
  add_custom_target(${target})
  _conc_at_end(_conc_gather_widget_free_tests ${target} "${list}")
endfunction()

function(_conc_gather_widget_free_tests target list)
  get_property(tests GLOBAL PROPERTY CONC_TEST_TARGETS)
  set(text "")
  foreach(t IN LISTS tests)
    # What the test is built after counts too (tst_engine_link waits for a window program it reads).
    set(reached "")
    get_target_property(after ${t} MANUALLY_ADDED_DEPENDENCIES)
    foreach(d IN LISTS t after)
      if(TARGET "${d}")
        _conc_link_closure(${d} closure)
        list(APPEND reached ${closure})
      endif()
    endforeach()
    _conc_first_widget_target(widgets ${reached})
    if(NOT widgets)
      string(APPEND text "${t}\n")
      add_dependencies(${target} ${t})
    endif()
  endforeach()
  file(CONFIGURE OUTPUT "${list}" CONTENT "${text}" @ONLY)
endfunction()

# Calls <function> with the arguments given once every folder has declared its targets and registered its
# tests. A deferred call reads its arguments when it runs: EVAL writes their values into it now.
function(_conc_at_end function)
  set(args "")
  foreach(arg IN LISTS ARGN)
    string(APPEND args " \"${arg}\"")
  endforeach()
  cmake_language(EVAL CODE "cmake_language(DEFER DIRECTORY \"${PROJECT_SOURCE_DIR}\" CALL ${function}${args})")
endfunction()

# Sets <out> to a folder holding, for each header file of Qt Gui and Qt Widgets, a file of the same name under
# QtGui/ or QtWidgets/ that stops the compile. Written once per build folder.
function(_conc_widget_header_stops out)
  set(stops "${PROJECT_BINARY_DIR}/widget_header_stops")
  set(${out} "${stops}" PARENT_SCOPE)
  get_property(written GLOBAL PROPERTY CONC_WIDGET_HEADER_STOPS_WRITTEN)
  if(written)
    return()
  endif()
  set_property(GLOBAL PROPERTY CONC_WIDGET_HEADER_STOPS_WRITTEN TRUE)
  foreach(module Gui Widgets)
    get_target_property(dirs Qt6::${module} INTERFACE_INCLUDE_DIRECTORIES)
    list(FILTER dirs INCLUDE REGEX "/Qt${module}$")
    if(NOT dirs)
      message(FATAL_ERROR "Qt${module}'s include folder was not found among Qt6::${module}'s include directories")
    endif()
    foreach(dir IN LISTS dirs)
      file(GLOB names LIST_DIRECTORIES false RELATIVE "${dir}" "${dir}/*")
      foreach(name IN LISTS names)
        set(stop "${stops}/Qt${module}/${name}")
        if(NOT EXISTS "${stop}")
          file(WRITE "${stop}" "#error \"<Qt${module}/${name}> in a library kept free of Qt Gui and Widgets "
                               "(conc_forbid_widgets in cmake/Conc.cmake)\"\n")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()

# Sets <out> to every target that <target> links, itself included, by any road.
function(_conc_link_closure target out)
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      set(current ${aliased})
    endif()
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    set(links "")
    foreach(property INTERFACE_LINK_LIBRARIES LINK_LIBRARIES)
      get_target_property(found ${current} ${property})
      if(found)
        list(APPEND links ${found})
      endif()
    endforeach()
    foreach(item IN LISTS links)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
      if(TARGET "${item}")
        list(APPEND pending "${item}")
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Sets <out> to the first Qt Gui or Widgets target among <targets>, or to nothing.
function(_conc_first_widget_target out)
  set(${out} "" PARENT_SCOPE)
  foreach(t IN LISTS ARGN)
    if(t MATCHES "^Qt6?::(Gui|Widgets)(Private)?$")
      set(${out} ${t} PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

function(_conc_check_no_widgets target)
  _conc_link_closure(${target} reached)
  _conc_first_widget_target(widgets ${reached})
  if(widgets)
    message(FATAL_ERROR "${target} must not link Qt Gui or Widgets, but reaches ${widgets} "
                        "(targets reached: ${reached})")
  endif()
endfunction()
