# Installs the engine into a fresh prefix, checks that exactly the public
# headers went in (each one's includes installed too, no internal header),
# then configures, builds and runs examples/cpp against the installed
# CMake package. Run by ctest with -D BUILD_DIR, SOURCE_DIR, WORK_DIR.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}" --component tourkern)

set(inc "${prefix}/include/tourkern")
file(GLOB_RECURSE headers RELATIVE "${inc}" "${inc}/*.h")
foreach(internal cycle/fastsearch.h cycle/fastkeyset.h graph/pairscan.h cycle/searchimpl.h cycle/fastpath.h
                 solve/builtin.h solve/legacymethods.h io/atomicfile.h)
  if(internal IN_LIST headers)
    message(FATAL_ERROR "internal header installed: ${internal}")
  endif()
endforeach()
foreach(required solve/solver.h io/graphfile.h io/tourfile.h core/graph.h cycle/cycle.h export.h)
  if(NOT required IN_LIST headers)
    message(FATAL_ERROR "public header not installed: ${required}")
  endif()
endforeach()
foreach(h ${headers})
  file(STRINGS "${inc}/${h}" lines REGEX "^#include \"")
  foreach(line ${lines})
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" dep "${line}")
    if(NOT EXISTS "${inc}/${dep}")
      message(FATAL_ERROR "${h} includes ${dep}, which is not installed")
    endif()
  endforeach()
endforeach()

run(${CMAKE_COMMAND} -S "${SOURCE_DIR}/examples/cpp" -B "${WORK_DIR}/build" -G "${GENERATOR}"
    "-DCMAKE_PREFIX_PATH=${prefix}" -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build "${WORK_DIR}/build")

set(program "${WORK_DIR}/build/solve_graph")
execute_process(COMMAND "${program}" "${SOURCE_DIR}/examples/leaper_1_2_30_30.hcp" exist "${WORK_DIR}/knight.tour"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "900 nodes, 3248 edges, HAMILTONIAN by exist, fewest gaps 0")
  message(FATAL_ERROR "knight graph: status ${rc}\n${out}${err}")
endif()
if(NOT EXISTS "${WORK_DIR}/knight.tour")
  message(FATAL_ERROR "no tour written")
endif()
execute_process(COMMAND "${program}" "${SOURCE_DIR}/tests/tools/data/pendant_node.hcp" optimize
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT out MATCHES "NO_CYCLE by optimize \\(node 4 has degree 1\\)")
  message(FATAL_ERROR "pendant graph: status ${rc}\n${out}${err}")
endif()
execute_process(COMMAND "${program}" "${WORK_DIR}/missing.hcp"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "missing.hcp")
  message(FATAL_ERROR "missing file: status ${rc}\n${out}${err}")
endif()
message(STATUS "installed package builds and runs the example")
