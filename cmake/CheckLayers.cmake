cmake_minimum_required(VERSION 3.25)

# The layers read bottom-up: a source file includes headers of its own layer
# and of layers below it, never of one above it or of a sibling beside it.
#
#   cmake -DSOURCE_DIR=<repository> -P cmake/CheckLayers.cmake
#
# An include is placed by the header it names ("module/module_p.h",
# <hmigfx/my_dc.h>, <afxwin.h>): the layer directory that holds a file of that
# name. Headers found in no layer (the standard library, pixman, ...) are free.

# layer:level:directory, lowest first.
set(layers
  win32:0:src/platform/win32
  afx:1:src/platform/afx
  imagesdk:1:src/platform/imagesdk
  pngio:1:src/platform/pngio
  display_sdl:1:src/platform/display_sdl
  geometry:2:src/geometry
  module:2:src/module
  imaging:2:src/imaging
  brush:3:src/brush
  dc:4:src/dc
  text:5:src/text
  object3d:5:src/object3d
  controls:5:src/controls
  umbrella:6:src/include
  apps:7:apps)

# Every header by the names it is included as: its file name, and its
# directory and file name.
foreach(entry IN LISTS layers)
  string(REPLACE ":" ";" parts "${entry}")
  list(GET parts 0 layer)
  list(GET parts 1 level)
  list(GET parts 2 dir)
  set(level_${layer} ${level})
  set(dir_${layer} "${SOURCE_DIR}/${dir}")
  file(GLOB_RECURSE headers "${SOURCE_DIR}/${dir}/*.h" "${SOURCE_DIR}/${dir}/*.hpp")
  foreach(header IN LISTS headers)
    get_filename_component(name "${header}" NAME)
    get_filename_component(parent "${header}" DIRECTORY)
    get_filename_component(parent "${parent}" NAME)
    list(APPEND owner_${name} ${layer})
    list(APPEND owner_${parent}/${name} ${layer})
  endforeach()
endforeach()

set(violations "")
foreach(entry IN LISTS layers)
  string(REPLACE ":" ";" parts "${entry}")
  list(GET parts 0 layer)
  file(GLOB_RECURSE sources "${dir_${layer}}/*.h" "${dir_${layer}}/*.hpp" "${dir_${layer}}/*.cpp"
       "${dir_${layer}}/*.c")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" included "${line}")
      set(owners ${owner_${included}})
      if(NOT owners OR "${layer}" IN_LIST owners)
        continue()
      endif()
      # A name several layers hold counts as the lowest of them.
      set(lowest "")
      foreach(owner IN LISTS owners)
        if(lowest STREQUAL "" OR level_${owner} LESS level_${lowest})
          set(lowest ${owner})
        endif()
      endforeach()
      if(NOT level_${lowest} LESS level_${layer})
        file(RELATIVE_PATH where "${SOURCE_DIR}" "${source}")
        string(APPEND violations "  ${where} (${layer}) includes ${included} (${lowest})\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "Includes against the layering (a layer may include only layers below it):\n${violations}")
endif()
message(STATUS "Layering: no include reaches up or sideways.")
