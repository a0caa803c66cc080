# The installer and the portable archive under Wine, in a prefix of its own (a copy of PREFIX,
# with a server of its own; removed at the end):
#   cmake -DREPO=... -DPREFIX=... -DBIN=... -DSAMPLE=... -DICON=... -DVERSION=... -DWORK=...
#         -DVIEWER_TEST=... -P InstallTest.cmake
# Two packages are made from BIN: VERSION and the next patch version. The first installs
# (msiexec /i /qn): the programs, the sample book and the README in Program Files\DUDAZA Zorari,
# the Start-menu shortcut, the entry in Apps & features and the plug-in's "ExecFileName"; the
# installed reader reads the installed sample book, and the installed viewer offers it, opens it
# and searches it (VIEWER_TEST's PackagedViewer, scene "installed_viewer"). The second upgrades it in place (one entry,
# the new version). Uninstalling (msiexec /x /qn) leaves no file of the package and no registry
# value it wrote, and the user's own settings ("Curpath") as they were. The archive holds the
# same files; unpacked into C:\辞書 テスト\ its viewer does the same (scene "portable_viewer").
cmake_minimum_required(VERSION 3.20)

include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/WinePrefixCopy.cmake)
set(private ${WORK}/wineprefix-install)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
copy_wine_prefix(${PREFIX} ${private})
set(wine ${WINE_IN_COPY})
execute_process(COMMAND ${wine} wineserver -k)
execute_process(COMMAND ${wine} wineserver -w)

set(problems "")
# expect(WHAT CONDITION...): WHAT is reported; CONDITION is an if() condition.
macro(expect what)
  if(NOT (${ARGN}))
    list(APPEND problems "${what}")
    message(STATUS "FAILED: ${what}")
  else()
    message(STATUS "ok: ${what}")
  endif()
endmacro()

# VIEWER_TEST's PackagedViewer on the viewer at the Windows path exe; the scene saved as shot.
# The Unix locale is UTF-8, so that Wine reads a Japanese path from the environment as written.
function(packaged_viewer exe shot what)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 "DUDAZA_PACKAGED_VIEWER=${exe}"
                          DUDAZA_PACKAGED_SHOT=${shot} ${wine} wine ${VIEWER_TEST} --gtest_filter=PackagedViewer.*
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(STATUS "${output}")
  endif()
  expect("${what}" result EQUAL 0)
  set(problems "${problems}" PARENT_SCOPE)
endfunction()

function(reg_query key out)
  execute_process(COMMAND ${wine} wine reg query "${key}" /s OUTPUT_VARIABLE text ERROR_QUIET)
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# One entry of ours in Apps & features, of that version.
function(expect_one_entry version)
  reg_query("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" uninstall)
  string(REGEX MATCHALL "DisplayName +REG_SZ +DUDAZA Zorari" entries "${uninstall}")
  list(LENGTH entries count)
  expect("one entry in Apps & features" count EQUAL 1)
  string(FIND "${uninstall}" "DisplayVersion    REG_SZ    ${version}" at)
  expect("the entry's version is ${version}" NOT at EQUAL -1)
  set(problems "${problems}" PARENT_SCOPE)
endfunction()

# --- the packages ------------------------------------------------------------------------------
string(REGEX MATCH "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$" parsed "${VERSION}")
math(EXPR next_patch "${CMAKE_MATCH_3} + 1")
set(NEXT "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${next_patch}")
foreach(version ${VERSION} ${NEXT})
  execute_process(COMMAND ${REPO}/scripts/package.sh ${BIN} ${SAMPLE} ${ICON} ${version} ${WORK}/${version}
                  RESULT_VARIABLE failed OUTPUT_QUIET)
  if(failed)
    message(FATAL_ERROR "package.sh ${version} failed")
  endif()
endforeach()
set(first_msi ${WORK}/${VERSION}/DudazaZorari-${VERSION}-x64.msi)
set(next_msi ${WORK}/${NEXT}/DudazaZorari-${NEXT}-x64.msi)

# The archive: the same files in one folder.
execute_process(COMMAND unzip -Z1 ${WORK}/${VERSION}/DudazaZorari-${VERSION}-x64-portable.zip OUTPUT_VARIABLE listed)
foreach(file Brisvane.exe Brisvane.chm Dunmoor.dll Calvetta.dll Ostrelle.dll dunmoor.exe README.md sample/CATALOGS
             sample/SAMPLE/DATA/HONMON)
  string(FIND "${listed}" "DudazaZorari-${VERSION}/${file}" at)
  expect("the archive holds ${file}" NOT at EQUAL -1)
endforeach()
execute_process(COMMAND sha256sum -c DudazaZorari-${VERSION}-SHA256SUMS.txt WORKING_DIRECTORY ${WORK}/${VERSION}
                RESULT_VARIABLE failed OUTPUT_QUIET)
expect("the checksums match" NOT failed)

# --- install -----------------------------------------------------------------------------------
set(installed "${private}/drive_c/Program Files/DUDAZA Zorari")
execute_process(COMMAND ${wine} wine msiexec /i ${first_msi} /qn RESULT_VARIABLE result)
expect("msiexec /i installs" result EQUAL 0)
foreach(file Brisvane.exe Brisvane.chm Dunmoor.dll Calvetta.dll Ostrelle.dll dunmoor.exe README.md sample/CATALOGS
             sample/SAMPLE/DATA/HONMON sample/SAMPLE/GAIJI/GAI16H sample/SAMPLE/GAIJI/GAI16F)
  expect("installed: ${file}" EXISTS "${installed}/${file}")
endforeach()
file(GLOB_RECURSE shortcuts "${private}/drive_c/*/DUDAZA Zorari.lnk")
list(LENGTH shortcuts count)
expect("a Start-menu shortcut" count EQUAL 1)
expect_one_entry(${VERSION})
reg_query("HKLM\\SOFTWARE\\Olvenar\\TrevikBrisvane\\Trevik-Plugin" plugin)
string(FIND "${plugin}" "C:\\Program Files\\DUDAZA Zorari\\Brisvane.exe" at)
expect("the plug-in's ExecFileName names the installed viewer" NOT at EQUAL -1)
execute_process(COMMAND ${wine} wine "C:\\Program Files\\DUDAZA Zorari\\dunmoor.exe" info
                        "C:\\Program Files\\DUDAZA Zorari\\sample" OUTPUT_VARIABLE info RESULT_VARIABLE result)
string(FIND "${info}" ": 1 book" at)
expect("the installed reader reads the installed sample book" result EQUAL 0 AND NOT at EQUAL -1)
packaged_viewer("C:\\Program Files\\DUDAZA Zorari\\Brisvane.exe" installed_viewer
                "the installed viewer opens the sample book and searches it")

# --- upgrade -----------------------------------------------------------------------------------
execute_process(COMMAND ${wine} wine msiexec /i ${next_msi} /qn RESULT_VARIABLE result)
expect("msiexec /i of ${NEXT} upgrades" result EQUAL 0)
expect_one_entry(${NEXT})
expect("the viewer is there after the upgrade" EXISTS "${installed}/Brisvane.exe")

# --- uninstall ---------------------------------------------------------------------------------
# The book the user read last, as the viewer remembers it: the uninstall leaves it.
set(settings "HKLM\\Software\\Olvenar\\Trevik DUDAZA ZORARI\\Curpath")
execute_process(COMMAND ${wine} wine reg add "${settings}" /v Curpath /d "D:\\users-book" /f OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND ${wine} wine msiexec /x ${next_msi} /qn RESULT_VARIABLE result)
expect("msiexec /x uninstalls" result EQUAL 0)
expect("no file of the package is left" NOT EXISTS "${installed}")
file(GLOB_RECURSE shortcuts "${private}/drive_c/*/DUDAZA Zorari.lnk")
list(LENGTH shortcuts count)
expect("the shortcut is gone" count EQUAL 0)
reg_query("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" uninstall)
string(FIND "${uninstall}" "DUDAZA Zorari" at)
expect("the entry in Apps & features is gone" at EQUAL -1)
reg_query("HKLM\\SOFTWARE\\Olvenar\\TrevikBrisvane\\Trevik-Plugin" plugin)
string(FIND "${plugin}" "ExecFileName" at)
expect("the plug-in's ExecFileName is gone" at EQUAL -1)
reg_query("HKLM\\SOFTWARE\\Olvenar\\DUDAZA Zorari" own)
string(FIND "${own}" "StartMenu" at)
expect("the installer's own value is gone" at EQUAL -1)
reg_query("${settings}" kept)
string(FIND "${kept}" "D:\\users-book" at)
expect("the user's Curpath is kept" NOT at EQUAL -1)

# --- the portable archive, in a folder with Japanese characters and a space ---------------------
set(portable "${private}/drive_c/辞書 テスト")
file(MAKE_DIRECTORY "${portable}")
execute_process(COMMAND unzip -q ${WORK}/${VERSION}/DudazaZorari-${VERSION}-x64-portable.zip -d "${portable}"
                RESULT_VARIABLE failed)
expect("the archive unpacks" NOT failed)
packaged_viewer("C:\\辞書 テスト\\DudazaZorari-${VERSION}\\Brisvane.exe" portable_viewer
                "the unpacked viewer opens the sample book and searches it")
# It is portable: the book it opened and its history are in its Brisvane.ini, not the registry.
execute_process(COMMAND iconv -f UTF-16 -t UTF-8 "${portable}/DudazaZorari-${VERSION}/Brisvane.ini"
                OUTPUT_VARIABLE ini ERROR_QUIET)
string(FIND "${ini}" "[Curpath]" at)
expect("the portable viewer keeps its book in Brisvane.ini" NOT at EQUAL -1)
string(FIND "${ini}" "Words.1=はし" at)
expect("the portable viewer keeps its history in Brisvane.ini" NOT at EQUAL -1)
foreach(hive HKLM HKCU)
  reg_query("${hive}\\Software\\Olvenar\\Trevik DUDAZA ZORARI" registry)
  string(FIND "${registry}" "DudazaZorari-${VERSION}" at)
  expect("the portable viewer wrote nothing of its own under ${hive}" at EQUAL -1)
endforeach()

execute_process(COMMAND ${wine} wineserver -k)
execute_process(COMMAND ${wine} wineserver -w)
file(REMOVE_RECURSE ${private})
if(problems)
  list(JOIN problems "; " text)
  message(FATAL_ERROR "install test: ${text}")
endif()
