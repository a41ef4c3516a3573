# Precompiled headers. Most of the compile time of a file here goes into
# parsing the standard library, GoogleTest and Qt headers (up to 85% for a
# desktop test, measured with -ftime-report), so each group of targets
# parses them once. Every file still includes what it uses: a build with
# -DTOURVANE_PCH=OFF keeps that honest.
option(TOURVANE_PCH "Precompile the common standard library, GoogleTest and Qt headers" ON)

set(TOURVANE_PCH_STD
  <algorithm> <atomic> <chrono> <cstddef> <cstdint> <cstdio> <cstdlib> <cstring> <functional>
  <limits> <memory> <mutex> <optional> <span> <sstream> <stdexcept> <stop_token> <string>
  <string_view> <thread> <utility> <vector>)

# tourvane_precompile(TARGET HEADERS h...) gives TARGET its own precompiled
# header; tourvane_precompile(TARGET REUSE_FROM OTHER) shares OTHER's, for
# targets built with the same flags.
function(tourvane_precompile target)
  if(NOT TOURVANE_PCH)
    return()
  endif()
  cmake_parse_arguments(P "" "REUSE_FROM" "HEADERS" ${ARGN})
  if(P_REUSE_FROM)
    target_precompile_headers(${target} REUSE_FROM ${P_REUSE_FROM})
  else()
    target_precompile_headers(${target} PRIVATE ${P_HEADERS})
  endif()
endfunction()
