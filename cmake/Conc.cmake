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
