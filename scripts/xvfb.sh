# Sourced by test.sh and sample.sh: an Xvfb display of our own.
#
# start_xvfb FIRST LAST LOG: starts Xvfb on the first free display number from FIRST to LAST
# (its output into LOG), waits until it answers, and exports DISPLAY; xvfb_pid is its process.
start_xvfb() {
  local first=$1 last=$2 log=$3 n display=""
  for n in $(seq "$first" "$last"); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
  done
  if [ -z "$display" ]; then
    echo "no free X display between :$first and :$last" >&2
    return 1
  fi
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb on :$display did not answer (see $log)" >&2
  return 1
}
