#!/bin/sh
# Runs a program on the current (virtual) display under a window manager, which gives the focus
# back to a window when its dialog closes, as every desktop does. OPENBOX_CONFIG names another
# configuration (such as a panel's margin).
openbox --sm-disable ${OPENBOX_CONFIG:+--config-file "$OPENBOX_CONFIG"} >/dev/null 2>&1 &
manager=$!
sleep 1
"$@"
status=$?
kill "$manager" 2>/dev/null
exit $status
