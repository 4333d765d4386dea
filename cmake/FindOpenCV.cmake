# Finds the OpenCV modules hmigfx uses (core, imgproc, imgcodecs).
#
# OpenCV's own package configuration is preferred. Debian's per-module -dev
# packages ship the headers and libraries without it, so the modules are
# otherwise located directly and exposed as imported targets named like
# OpenCV's own (opencv_core, opencv_imgproc, opencv_imgcodecs).
#
# Sets OpenCV_FOUND, OpenCV_INCLUDE_DIRS and OpenCV_LIBS (the targets).

find_package(OpenCV CONFIG QUIET COMPONENTS ${OpenCV_FIND_COMPONENTS})
if(OpenCV_FOUND)
  return()
endif()

set(_hmigfx_cv_modules ${OpenCV_FIND_COMPONENTS})
if(NOT _hmigfx_cv_modules)
  set(_hmigfx_cv_modules core imgproc imgcodecs)
endif()

find_path(OpenCV_INCLUDE_DIR opencv2/core.hpp PATH_SUFFIXES opencv4)
set(OpenCV_LIBS)
set(_hmigfx_cv_libvars)
foreach(_m IN LISTS _hmigfx_cv_modules)
  find_library(OpenCV_${_m}_LIBRARY opencv_${_m})
  list(APPEND _hmigfx_cv_libvars OpenCV_${_m}_LIBRARY)
  if(OpenCV_${_m}_LIBRARY AND OpenCV_INCLUDE_DIR AND NOT TARGET opencv_${_m})
    add_library(opencv_${_m} UNKNOWN IMPORTED)
    set_target_properties(opencv_${_m} PROPERTIES
      IMPORTED_LOCATION "${OpenCV_${_m}_LIBRARY}"
      INTERFACE_INCLUDE_DIRECTORIES "${OpenCV_INCLUDE_DIR}")
  endif()
  list(APPEND OpenCV_LIBS opencv_${_m})
endforeach()
set(OpenCV_INCLUDE_DIRS ${OpenCV_INCLUDE_DIR})

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(OpenCV REQUIRED_VARS OpenCV_INCLUDE_DIR ${_hmigfx_cv_libvars})
mark_as_advanced(OpenCV_INCLUDE_DIR ${_hmigfx_cv_libvars})
