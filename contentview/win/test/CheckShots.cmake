# Checks that DIR holds NAME.png for every NAME in NAMES (a list separated by commas): the
# scenes a whole run of the tests promises. Fails naming those that are missing.
#   cmake -DDIR=... -DNAMES=a,b,c -P CheckShots.cmake
string(REPLACE "," ";" names "${NAMES}")
set(missing "")
foreach(name IN LISTS names)
  if(NOT EXISTS "${DIR}/${name}.png")
    list(APPEND missing "${name}.png")
  endif()
endforeach()
list(LENGTH names promised)
if(missing)
  string(REPLACE ";" " " missing "${missing}")
  message(FATAL_ERROR "missing in ${DIR}: ${missing}")
endif()
message(STATUS "all ${promised} scenes in ${DIR}")
