# Runs TEST (the drive-scan test program) in a Wine prefix of its own, a copy of PREFIX in
# which drives A:, D:, E: and F: lead to BOOK and A: and E: are CD-ROM drives. Wine's mount
# manager reads the drives when its server starts, so the copy gets a server of its own; the
# build's prefix and the tests running in it are not touched. The copy is removed at the end.
#   cmake -DPREFIX=... -DBOOK=... -DTEST=... -DWORK=... -P DriveScan.cmake
# Other drives: set MAPS (letter=directory ...) and CDROMS (letters) before including this file;
# LOGPIXELS gives the copy's screen that many dots an inch, ARGS are TEST's arguments.
if(NOT DEFINED MAPS)
  set(MAPS a=${BOOK} d=${BOOK} e=${BOOK} f=${BOOK})
  set(CDROMS a e)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/../../../cmake/WinePrefixCopy.cmake)
set(private ${WORK}/wineprefix-drives)
copy_wine_prefix(${PREFIX} ${private})
set(wine ${WINE_IN_COPY})
foreach(map ${MAPS})
  string(REGEX REPLACE "=.*" "" drive ${map})
  string(REGEX REPLACE "^[a-z]=" "" target ${map})
  file(REMOVE ${private}/dosdevices/${drive}:)
  file(CREATE_LINK ${target} ${private}/dosdevices/${drive}: SYMBOLIC)
endforeach()
foreach(drive ${CDROMS})
  execute_process(COMMAND ${wine} wine reg add "HKLM\\Software\\Wine\\Drives" /v ${drive}: /d cdrom /f
                  OUTPUT_QUIET ERROR_QUIET)
endforeach()
if(DEFINED LOGPIXELS)
  execute_process(COMMAND ${wine} wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD
                          /d ${LOGPIXELS} /f OUTPUT_QUIET ERROR_QUIET)
endif()
execute_process(COMMAND ${wine} wineserver -k)
execute_process(COMMAND ${wine} wineserver -w)
execute_process(COMMAND ${wine} wine ${TEST} ${ARGS} RESULT_VARIABLE result)
execute_process(COMMAND ${wine} wineserver -k)
execute_process(COMMAND ${wine} wineserver -w)
file(REMOVE_RECURSE ${private})
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${TEST} failed (${result})")
endif()
