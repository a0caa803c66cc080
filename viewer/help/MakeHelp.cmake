# Compiles the viewer's help (Brisvane.chm) from the HTML of this folder: each file is written in
# code page 932 (the help's language is Japanese, and its title, contents and pages are read in
# that code page), then chmcmd compiles the project.
#   cmake -DSOURCE=dir -DWORK=dir -DOUTPUT=file -DCHMCMD=program -DICONV=program -P MakeHelp.cmake
foreach(variable SOURCE WORK OUTPUT CHMCMD ICONV)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "MakeHelp.cmake: ${variable} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(GLOB sources RELATIVE "${SOURCE}" "${SOURCE}/*.html" "${SOURCE}/*.hhc" "${SOURCE}/*.hhp" "${SOURCE}/*.css")
foreach(name IN LISTS sources)
  file(READ "${SOURCE}/${name}" text)
  string(REPLACE "charset=utf-8" "charset=shift_jis" text "${text}")
  file(WRITE "${WORK}/${name}.utf8" "${text}")
  execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP932 "${WORK}/${name}.utf8"
                  OUTPUT_FILE "${WORK}/${name}" RESULT_VARIABLE converted)
  if(NOT converted EQUAL 0)
    message(FATAL_ERROR "MakeHelp.cmake: ${name} has characters that code page 932 lacks")
  endif()
  file(REMOVE "${WORK}/${name}.utf8")
endforeach()

execute_process(COMMAND "${CHMCMD}" Brisvane.hhp WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE compiled OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT compiled EQUAL 0 OR NOT EXISTS "${WORK}/Brisvane.chm")
  message(FATAL_ERROR "MakeHelp.cmake: chmcmd failed:\n${log}")
endif()
file(COPY_FILE "${WORK}/Brisvane.chm" "${OUTPUT}")
