# `cmake --install` into a fresh prefix: the two programs, the database maker and the SQLite extension land in
# the usual places with a valid desktop entry and an icon each, and nothing installed points back at the build.
# The installed database maker makes a company, and each installed program starts on it (its start-up creates
# the lookup-mask file in its program folder) and is still running when it is ended.
#
# "Nothing points back at the build" means: no installed program or library carries an RPATH or RUNPATH, no
# entry of its dynamic section names the source or build folder, and neither folder's path is in what the
# program holds at run time, read from a copy stripped of its debug information and symbol table. The debug
# information itself keeps the source files' paths on purpose, for a debugger; it is never loaded to run.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/usr")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}" RESULT_VARIABLE r OUTPUT_QUIET)
if(NOT r EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${r}")
endif()

include(GNUInstallDirs)
foreach(f bin/conccuentas bin/conccuentas-tablero bin/conccuentas-makedb
          ${CMAKE_INSTALL_LIBDIR}/conccuentas/conccuentas.so
          share/applications/conccuentas.desktop share/applications/conccuentas-tablero.desktop
          share/icons/hicolor/scalable/apps/conccuentas.svg share/icons/hicolor/scalable/apps/conccuentas-tablero.svg)
  if(NOT EXISTS "${prefix}/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

find_program(VALIDATE desktop-file-validate)
if(NOT VALIDATE)
  message(FATAL_ERROR "desktop-file-validate is missing, so the desktop entries cannot be checked: run scripts/setup "
                      "(Debian package desktop-file-utils)")
endif()
execute_process(COMMAND ${VALIDATE} "${prefix}/share/applications/conccuentas.desktop"
                        "${prefix}/share/applications/conccuentas-tablero.desktop"
                RESULT_VARIABLE r OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT r EQUAL 0)
  message(FATAL_ERROR "desktop entries do not validate: ${out}")
endif()

# Fails when <file>'s strings, in bytes or in UTF-16 (Qt's string literals), hold <folder>'s path.
function(sin_ruta file folder what)
  foreach(encoding UTF-8 UTF-16LE)
    file(STRINGS "${file}" hits ENCODING ${encoding})
    string(FIND "${hits}" "${folder}" at)
    if(NOT at EQUAL -1)
      string(SUBSTRING "${hits}" ${at} 200 hit)
      string(REGEX MATCH "^[^ \t\n;\"']*" hit "${hit}")
      message(FATAL_ERROR "${what} names ${folder} (${encoding}): ${hit}")
    endif()
  endforeach()
endfunction()

file(GLOB_RECURSE installed LIST_DIRECTORIES false "${prefix}/*")
set(stripped "${WORK_DIR}/stripped")
foreach(f IN LISTS installed)
  file(RELATIVE_PATH name "${prefix}" "${f}")
  file(READ "${f}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND "${READELF}" -d "${f}" RESULT_VARIABLE r OUTPUT_VARIABLE dynamic ERROR_VARIABLE dynamic)
    if(NOT r EQUAL 0)
      message(FATAL_ERROR "readelf cannot read ${name}: ${dynamic}")
    endif()
    if(dynamic MATCHES "\\((RPATH|RUNPATH)\\)[^\n]*")
      message(FATAL_ERROR "${name} carries a search path for libraries: ${CMAKE_MATCH_0}")
    endif()
    foreach(folder "${BUILD_DIR}" "${SOURCE_DIR}")
      string(FIND "${dynamic}" "${folder}" at)
      if(NOT at EQUAL -1)
        message(FATAL_ERROR "the dynamic section of ${name} names ${folder}: ${dynamic}")
      endif()
    endforeach()
    execute_process(COMMAND "${STRIP}" --strip-all -o "${stripped}" "${f}" RESULT_VARIABLE r ERROR_VARIABLE out)
    if(NOT r EQUAL 0)
      message(FATAL_ERROR "strip failed on ${name}: ${out}")
    endif()
    set(read "${stripped}")
  else()
    set(read "${f}")
  endif()
  foreach(folder "${BUILD_DIR}" "${SOURCE_DIR}")
    sin_ruta("${read}" "${folder}" "${name}")
  endforeach()
endforeach()
file(REMOVE "${stripped}")

set(empresa "${WORK_DIR}/empresa.db")
execute_process(COMMAND "${prefix}/bin/conccuentas-makedb" "${empresa}" RESULT_VARIABLE r ERROR_VARIABLE out)
if(NOT r EQUAL 0 OR NOT EXISTS "${empresa}")
  message(FATAL_ERROR "the installed conccuentas-makedb made no company: ${r} ${out}")
endif()

# Each program in a program folder of its own, so that each one's lookup-mask file shows its own start-up.
set(ENV{TEMP} "${WORK_DIR}")
foreach(programa conccuentas conccuentas-tablero)
  set(home "${WORK_DIR}/home-${programa}")
  set(ENV{CONCCUENTAS_HOME} "${home}")
  execute_process(COMMAND "${prefix}/bin/${programa}" "@Server=sqlite;@DbName=${empresa};@Usuario=admin;@Password="
                  TIMEOUT 8 RESULT_VARIABLE r ERROR_VARIABLE out)
  if(NOT r MATCHES "timeout")
    message(FATAL_ERROR "the installed ${programa} ended by itself (${r}): ${out}")
  endif()
  if(NOT EXISTS "${home}/consultas.qxd")
    message(FATAL_ERROR "the installed ${programa} did not get through its start-up: ${out}")
  endif()
endforeach()
message(STATUS "installed and started")
