# Turns the scenes that the view tests saved as BMP files in DIR into PNG files (ImageMagick).
# Fails only when a conversion fails: a run of a few tests (or a failed test run once more) may
# leave nothing to convert. Whether every scene is there is CheckShots.cmake's to say.
file(GLOB shots "${DIR}/*.bmp")
find_program(CONVERT convert REQUIRED)
foreach(bmp IN LISTS shots)
  string(REGEX REPLACE "\\.bmp$" ".png" png "${bmp}")
  execute_process(COMMAND ${CONVERT} "${bmp}" "${png}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot convert ${bmp}")
  endif()
  file(REMOVE "${bmp}")
  message(STATUS "${png}")
endforeach()
