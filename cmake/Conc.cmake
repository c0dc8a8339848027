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
  target_compile_options(${name} PRIVATE ${CONC_WARNINGS})
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/src" "${PROJECT_SOURCE_DIR}/tests")
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;CONC_SCHEMA_DIR=${PROJECT_SOURCE_DIR}/schema;${ARG_ENV}"
    TIMEOUT 600)
endfunction()

# conc_forbid_widgets(<target>)
# Fails the configure step when <target> links Qt Gui or Widgets by any road: its link libraries are walked
# transitively once every folder has declared its targets.
function(conc_forbid_widgets target)
  # A deferred call reads its arguments when it runs: EVAL writes the target's name into it now.
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY \"${PROJECT_SOURCE_DIR}\" CALL _conc_check_no_widgets ${target})")
endfunction()

function(_conc_check_no_widgets target)
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      set(current ${aliased})
    endif()
    if(current MATCHES "^Qt6?::(Gui|Widgets)(Private)?$")
      message(FATAL_ERROR "${target} must not link Qt Gui or Widgets, but reaches ${current} "
                          "(targets walked: ${seen})")
    endif()
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
endfunction()
