# Checks that folders point one way: each folder includes only itself and the folders
# below it, so that no two folders include each other, directly or through a third:
# core, diagrams, analyses, commands, io (with the survey document), app.
# Run as: cmake -DROOT=<source dir> -P layering.cmake
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

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
message(STATUS "layering: ok")
