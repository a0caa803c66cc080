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
set(private ${WORK}/wineprefix-drives)
file(REMOVE_RECURSE ${private})
# Hard links keep the copy quick; the registry files, which Wine rewrites, are real copies.
execute_process(COMMAND cp -al ${PREFIX} ${private} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot copy the Wine prefix ${PREFIX}")
endif()
foreach(reg system.reg user.reg userdef.reg)
  if(EXISTS ${PREFIX}/${reg})
    file(REMOVE ${private}/${reg})
    file(COPY_FILE ${PREFIX}/${reg} ${private}/${reg})
  endif()
endforeach()
foreach(map ${MAPS})
  string(REGEX REPLACE "=.*" "" drive ${map})
  string(REGEX REPLACE "^[a-z]=" "" target ${map})
  file(REMOVE ${private}/dosdevices/${drive}:)
  file(CREATE_LINK ${target} ${private}/dosdevices/${drive}: SYMBOLIC)
endforeach()
# Wine runs with the fixed address layout it needs (scripts/wine-layout.sh says why).
cmake_host_system_information(RESULT machine QUERY OS_PLATFORM)
set(wine ${CMAKE_COMMAND} -E env WINEPREFIX=${private} WINEDEBUG=-all setarch ${machine} -R)
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
