# Libraries of the field that the project builds on or checks itself against.
# The Windows build has neither shapelib nor PROJ: tests that need shapelib
# are not built there, and PROJ is stood in for by a replay of its answers
# recorded on Linux (tests/doubles/proj).
if(WIN32)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/doubles/proj ${PROJECT_BINARY_DIR}/proj_replay)
  return()
endif()

# zv::shapelib — shapelib (.shp/.shx/.dbf), Debian's libshp-dev. Only the tests
# and benchmarks use it, as the independent reference that reads what our
# .shp/.shx/.dbf writers write and the anchor our readers are timed against;
# no host library links it.
find_path(ZV_SHAPELIB_INCLUDE_DIR shapefil.h)
find_library(ZV_SHAPELIB_LIBRARY shp)
if(ZV_SHAPELIB_INCLUDE_DIR AND ZV_SHAPELIB_LIBRARY)
  add_library(zv::shapelib UNKNOWN IMPORTED)
  set_target_properties(zv::shapelib PROPERTIES
    IMPORTED_LOCATION ${ZV_SHAPELIB_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${ZV_SHAPELIB_INCLUDE_DIR})
else()
  message(FATAL_ERROR "shapelib not found: run scripts/install-deps.sh")
endif()

# PROJ — coordinate operations and geodesics, Debian's libproj-dev (target PROJ::proj).
find_package(PROJ REQUIRED CONFIG)
