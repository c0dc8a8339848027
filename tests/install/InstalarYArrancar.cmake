# `cmake --install` into a fresh prefix: the two programs, the database maker and the SQLite extension land in
# the usual places with a valid desktop entry and an icon each; the installed database maker makes a company,
# and the installed workbench starts on it (its start-up creates the lookup-mask file in its program folder)
# and is still running when it is ended.
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
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} "${prefix}/share/applications/conccuentas.desktop"
                          "${prefix}/share/applications/conccuentas-tablero.desktop"
                  RESULT_VARIABLE r OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT r EQUAL 0)
    message(FATAL_ERROR "desktop entries do not validate: ${out}")
  endif()
endif()

set(empresa "${WORK_DIR}/empresa.db")
execute_process(COMMAND "${prefix}/bin/conccuentas-makedb" "${empresa}" RESULT_VARIABLE r ERROR_VARIABLE out)
if(NOT r EQUAL 0 OR NOT EXISTS "${empresa}")
  message(FATAL_ERROR "the installed conccuentas-makedb made no company: ${r} ${out}")
endif()

set(ENV{CONCCUENTAS_HOME} "${WORK_DIR}/home")
set(ENV{TEMP} "${WORK_DIR}")
execute_process(COMMAND "${prefix}/bin/conccuentas" "@Server=sqlite;@DbName=${empresa};@Usuario=admin;@Password="
                TIMEOUT 8 RESULT_VARIABLE r ERROR_VARIABLE out)
if(NOT r MATCHES "timeout")
  message(FATAL_ERROR "the installed conccuentas ended by itself (${r}): ${out}")
endif()
if(NOT EXISTS "${WORK_DIR}/home/consultas.qxd")
  message(FATAL_ERROR "the installed conccuentas did not get through its start-up: ${out}")
endif()
message(STATUS "installed and started")
