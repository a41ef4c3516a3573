// Symbol visibility for the tourkern shared library.
// The library is built with hidden visibility; only what carries
// TOURKERN_API is part of its binary interface.
#pragma once

#if defined(_WIN32)
#  if defined(TOURKERN_BUILDING)
#    define TOURKERN_API __declspec(dllexport)
#  else
#    define TOURKERN_API __declspec(dllimport)
#  endif
#  define TOURKERN_LOCAL
#else
#  define TOURKERN_API __attribute__((visibility("default")))
#  define TOURKERN_LOCAL __attribute__((visibility("hidden")))
#endif
