# Checks that folders point one way: each folder includes only itself and the folders
# below it, so that no two folders include each other, directly or through a third:
# core, diagrams, analyses, commands, io (with the survey document), app.
# It checks too that core/ and io/ include no header of the toolkit's widgets: the ground
# builds without them, and io/ reaches views only through the folders below it.
# Run as: cmake -DROOT=<source dir> [-DWIDGETS=<QtWidgets include dir>] -P layering.cmake
cmake_minimum_required(VERSION 3.19)
set(below_core "")
set(below_diagrams core)
set(below_analyses core diagrams)
set(below_commands core diagrams analyses)
set(below_io core diagrams analyses commands)
set(below_app core diagrams analyses commands io)
set(folders core diagrams analyses commands io app)

set(failures "")
foreach(folder ${folders})
  file(GLOB_RECURSE sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(f ${sources})
    file(STRINGS "${f}" lines REGEX "^#[ \t]*include[ \t]*\"[a-z]+/")
    foreach(line ${lines})
      string(REGEX REPLACE "^#[ \t]*include[ \t]*\"([a-z]+)/.*" "\\1" target "${line}")
      if(NOT target STREQUAL folder AND NOT target IN_LIST below_${folder})
        file(RELATIVE_PATH rel "${ROOT}" "${f}")
        string(REGEX REPLACE "^#[ \t]*include[ \t]*" "" what "${line}")
        list(APPEND failures "${rel} includes ${what}")
      endif()
    endforeach()
  endforeach()
endforeach()

# Files that still include widget headers are reported, not failed, while they are listed
# here; every other file of these folders fails the check.
set(no_widgets core io)
set(widgets_pending
  io/datacsvexport.cpp
  io/excelexport.cpp
  io/plattformumfrage.cpp
  io/statistikdatei.cpp
  io/surveymonkeyimport.cpp
  io/umfragedokument.cpp
)
if(WIDGETS AND IS_DIRECTORY "${WIDGETS}")
  file(GLOB widget_headers RELATIVE "${WIDGETS}" "${WIDGETS}/*")
  # Headers the other modules have too (QAction, QUndoStack moved to QtGui) are no widgets.
  file(GLOB others RELATIVE "${WIDGETS}/../QtGui" "${WIDGETS}/../QtGui/*")
  file(GLOB core_headers RELATIVE "${WIDGETS}/../QtCore" "${WIDGETS}/../QtCore/*")
  list(APPEND others ${core_headers})
  list(REMOVE_ITEM widget_headers ${others})
  list(APPEND widget_headers QtWidgets)
  set(pending "")
  foreach(folder ${no_widgets})
    file(GLOB_RECURSE sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
    foreach(f ${sources})
      file(RELATIVE_PATH rel "${ROOT}" "${f}")
      file(STRINGS "${f}" lines REGEX "^#[ \t]*include[ \t]*<")
      foreach(line ${lines})
        string(REGEX REPLACE "^#[ \t]*include[ \t]*<(QtWidgets/)?([^>]+)>.*" "\\2" header
               "${line}")
        if(header IN_LIST widget_headers)
          if(rel IN_LIST widgets_pending)
            list(APPEND pending "${rel} includes <${header}>")
          else()
            list(APPEND failures "${rel} includes the widget header <${header}>")
          endif()
        endif()
      endforeach()
    endforeach()
  endforeach()
  if(pending)
    list(JOIN pending "\n  " text)
    message(STATUS "layering: widget headers still to be moved out:\n  ${text}")
  endif()
else()
  message(STATUS "layering: no WIDGETS directory given, widget headers not checked")
endif()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
message(STATUS "layering: ok")
