# Installs only the Python package into a scratch prefix, then imports it
# with PYTHONPATH naming that prefix's package folder and a working folder
# away from the build tree, and solves a small graph with it.
file(REMOVE_RECURSE ${PREFIX})
execute_process(
  COMMAND ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${PREFIX} --component python
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc})")
endif()
if(IS_ABSOLUTE "${PACKAGE_DIR}")
  set(site ${PACKAGE_DIR})
else()
  set(site ${PREFIX}/${PACKAGE_DIR})
endif()
foreach(f __init__.py __init__.pyi py.typed)
  if(NOT EXISTS ${site}/tourvane/${f})
    message(FATAL_ERROR "${site}/tourvane/${f} was not installed")
  endif()
endforeach()
set(ENV{PYTHONPATH} ${site})
execute_process(
  COMMAND ${PYTHON} -c [=[
import os, sys, tourvane
where = os.path.realpath(tourvane.__file__)
assert where.startswith(os.path.realpath(sys.argv[1])), where
r = tourvane.solve(tourvane.leaper(1, 2, 6, 6), method="exist")
assert r.verdict == tourvane.Verdict.HAMILTONIAN, r
print("imported", where, "->", r.verdict.name)
]=] ${site}
  WORKING_DIRECTORY ${PREFIX}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the installed package did not import and solve (${rc})")
endif()
