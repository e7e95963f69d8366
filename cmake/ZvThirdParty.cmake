# Libraries of the field that the host libraries are built on.
# zv::shapelib — shapelib (.shp/.shx/.dbf), Debian's libshp-dev.
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
