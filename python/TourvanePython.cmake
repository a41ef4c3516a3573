# Decides whether the Python module is built: TOURVANE_BUILD_PYTHON defaults
# to ON when an interpreter with its development files and pybind11 are
# found. Sanitizer builds leave it out: an interpreter that loads an
# ASan-built module needs libasan preloaded, which the tests do not do.

if(TOURVANE_SANITIZE)
  message(STATUS "Python module: not built with sanitizers")
  set(TOURVANE_BUILD_PYTHON OFF)
  return()
endif()

# Of several interpreters on PATH (a pyenv or virtualenv one before the
# system's, say) prefer the first that can run the module's tests, so the
# module is built for the interpreter ctest runs it with. Configure with
# -DPython3_EXECUTABLE=... to choose another.
if(NOT DEFINED Python3_EXECUTABLE)
  string(REPLACE ":" ";" _tourvane_path "$ENV{PATH}")
  foreach(_dir IN LISTS _tourvane_path)
    if(_dir AND EXISTS "${_dir}/python3" AND NOT IS_DIRECTORY "${_dir}/python3")
      execute_process(COMMAND "${_dir}/python3" -c "import pytest, networkx"
        RESULT_VARIABLE _tourvane_rc OUTPUT_QUIET ERROR_QUIET)
      if(_tourvane_rc EQUAL 0)
        set(Python3_EXECUTABLE "${_dir}/python3")
        break()
      endif()
    endif()
  endforeach()
endif()

find_package(Python3 COMPONENTS Interpreter Development.Module QUIET)
if(Python3_FOUND)
  find_package(pybind11 CONFIG QUIET)
endif()
if(Python3_FOUND AND pybind11_FOUND)
  set(_tourvane_python_found ON)
else()
  set(_tourvane_python_found OFF)
endif()
option(TOURVANE_BUILD_PYTHON "Build the tourvane Python module (needs python3-dev and pybind11)"
  ${_tourvane_python_found})
if(TOURVANE_BUILD_PYTHON AND NOT _tourvane_python_found)
  message(FATAL_ERROR "TOURVANE_BUILD_PYTHON needs Python 3 with its development files "
    "(python3-dev) and pybind11 (pybind11-dev)")
endif()
if(TOURVANE_BUILD_PYTHON)
  message(STATUS "Python module: built for ${Python3_EXECUTABLE} (Python ${Python3_VERSION})")
else()
  message(STATUS "Python module: not built (TOURVANE_BUILD_PYTHON=OFF)")
endif()
