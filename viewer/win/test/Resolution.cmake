# Runs TEST with ARGS in DriveScan.cmake's private Wine prefix, on a screen of LOGPIXELS dots an
# inch (144: 150 %, 192: 200 %):
#   cmake -DPREFIX=... -DTEST=... -DARGS=... -DLOGPIXELS=... -DWORK=... -P Resolution.cmake
set(MAPS "")  # no drives of its own
set(CDROMS "")
set(WORK ${WORK}/dpi-${LOGPIXELS})
file(MAKE_DIRECTORY ${WORK})
include(${CMAKE_CURRENT_LIST_DIR}/DriveScan.cmake)
