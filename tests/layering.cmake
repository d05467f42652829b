# Checks which folder may include which: the view classes, column commands and
# imports/exports see the shared services of app/, never the main window or the
# shell's own classes. Run as: cmake -DROOT=<source dir> -P layering.cmake
cmake_minimum_required(VERSION 3.19)
set(services
  modelclient.h diagramadapter.h textinhalt.h userinput.h columnselectdialog.h
  waitcursor.h roles.h viewrecord.h viewhost.h tablecontext.h tabelle1.h
  csvreader.h csvimport.h variantreader.h userinputevents.h fortschritt.h textkey.h)

set(failures "")
foreach(folder diagrams analyses commands io)
  file(GLOB_RECURSE sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(f ${sources})
    file(STRINGS "${f}" lines REGEX "^#include \"app/")
    foreach(line ${lines})
      string(REGEX REPLACE "^#include \"app/([^\"]+)\".*" "\\1" header "${line}")
      if(NOT header IN_LIST services)
        file(RELATIVE_PATH rel "${ROOT}" "${f}")
        list(APPEND failures "${rel} includes app/${header}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Includes across the layers:\n  ${text}")
endif()
message(STATUS "layering: ok")
