# Document windows, editing behaviours and platform adapters never reach up:
# nothing under src/editing, src/platform or src/common includes a header of
# src/app or src/files.
set(bad "")
foreach(dir editing platform common)
  file(GLOB files ${SOURCE_DIR}/src/${dir}/*.cpp ${SOURCE_DIR}/src/${dir}/*.h)
  foreach(f ${files})
    file(STRINGS ${f} incs REGEX "^[ \t]*#[ \t]*include[ \t]*\"(app|files)/")
    foreach(i ${incs})
      list(APPEND bad "${f}: ${i}")
    endforeach()
  endforeach()
endforeach()
if(bad)
  message(FATAL_ERROR "lower layers include upper ones:\n${bad}")
endif()
message(STATUS "editing, platform and common include nothing of app or files")
