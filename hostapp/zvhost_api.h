// Linkage of libzvhost's public functions and classes.
#pragma once

#if defined(_WIN32)
#if defined(ZVHOST_BUILDING_LIBRARY)
#define ZVHOST_API __declspec(dllexport)
#else
#define ZVHOST_API __declspec(dllimport)
#endif
#else
#define ZVHOST_API __attribute__((visibility("default")))
#endif
