# Runs TEST (the title dialogs' test program) with DriveScan.cmake's private Wine prefix, its
# drives made of builder books below WORK:
#   A: (the first drive, CD-ROM) and E: (CD-ROM): the sample book
#   D: (a fixed drive): A\B\ with a copy of the sample book in A\B\sample\, many\ with the
#      manyhits book, two\ with the third-party disc of two books, broken\ with only its
#      catalog, no book at its root, honmon2\ and eb\ with the sample disc made into kinds of
#      book the library does not read
#   cmake -DPREFIX=... -DSAMPLE=... -DMANYHITS=... -DTWOBOOKS=... -DTEST=... -DWORK=... -P TitleDrives.cmake
set(tree ${WORK}/drive-d)
file(REMOVE_RECURSE ${tree})
file(MAKE_DIRECTORY ${tree}/A/B)
file(CREATE_LINK ${SAMPLE} ${tree}/A/B/sample SYMBOLIC)
file(CREATE_LINK ${MANYHITS} ${tree}/many SYMBOLIC)
file(CREATE_LINK ${TWOBOOKS} ${tree}/two SYMBOLIC)
# A catalog whose books have no text file: listed as books, but none opens.
file(MAKE_DIRECTORY ${tree}/broken)
file(COPY ${TWOBOOKS}/CATALOGS DESTINATION ${tree}/broken)
get_filename_component(books ${SAMPLE} DIRECTORY)
file(CREATE_LINK ${books}/sample-honmon2 ${tree}/honmon2 SYMBOLIC)
file(CREATE_LINK ${books}/sample-eb ${tree}/eb SYMBOLIC)
# A catalog file of no bytes.
file(MAKE_DIRECTORY ${tree}/emptycat)
file(WRITE ${tree}/emptycat/CATALOGS "")
set(MAPS a=${SAMPLE} d=${tree} e=${SAMPLE})
set(CDROMS a e)
include(${CMAKE_CURRENT_LIST_DIR}/DriveScan.cmake)
