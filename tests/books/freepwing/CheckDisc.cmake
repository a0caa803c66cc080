# Fails the build when the disc that fpwmake made is incomplete.
# Usage: cmake -DDISC=<disc root> -P CheckDisc.cmake
foreach(file catalogs fpwdict/data/honmon fpwdict/gaiji/gai16h fpwdict/gaiji/gai16f)
  set(path "${DISC}/${file}")
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "FreePWING test book: ${path} is missing")
  endif()
  file(SIZE "${path}" size)
  if(size LESS 2048)
    message(FATAL_ERROR "FreePWING test book: ${path} is shorter than one block (${size} bytes)")
  endif()
endforeach()
