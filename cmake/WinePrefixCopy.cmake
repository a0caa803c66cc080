# For the test scripts (cmake -P) that run Wine in a prefix of their own.
#
# copy_wine_prefix(FROM TO): TO becomes a copy of the Wine prefix FROM, in which Wine runs with a
# server of its own, leaving FROM and the tests running in it untouched. Hard links keep the copy
# quick; the registry files, which Wine rewrites, are real copies. Sets WINE_IN_COPY to the command
# that runs a program there, with the fixed address layout Wine needs (scripts/wine-layout.sh
# says why).
function(copy_wine_prefix from to)
  # The server of FROM saves its registry now and then through a temporary file that it renames
  # at once: a copy that meets one as it goes away is made again.
  foreach(attempt RANGE 1 5)
    file(REMOVE_RECURSE ${to})
    execute_process(COMMAND cp -al ${from} ${to} RESULT_VARIABLE failed ERROR_VARIABLE why)
    if(NOT failed)
      break()
    endif()
    execute_process(COMMAND sleep 0.2)
  endforeach()
  if(failed)
    message(FATAL_ERROR "cannot copy the Wine prefix ${from}: ${why}")
  endif()
  foreach(reg system.reg user.reg userdef.reg)
    if(EXISTS ${from}/${reg})
      file(REMOVE ${to}/${reg})
      file(COPY_FILE ${from}/${reg} ${to}/${reg})
    endif()
  endforeach()
  cmake_host_system_information(RESULT machine QUERY OS_PLATFORM)
  set(WINE_IN_COPY ${CMAKE_COMMAND} -E env WINEPREFIX=${to} WINEDEBUG=-all setarch ${machine} -R PARENT_SCOPE)
endfunction()
