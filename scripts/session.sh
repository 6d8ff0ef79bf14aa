# The scripted session of a headless `make run`: what a user would do.
run_session() {
  xdotool mousemove 200 200 sleep 0.2
  xdotool key plus sleep 0.2 key minus sleep 0.2
}
