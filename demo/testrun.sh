#!/bin/sh
# Stands in for the host's test run in the demo: shows which template it was handed.
msg="The demo host received the template: $1"
if command -v xmessage >/dev/null 2>&1; then
    xmessage -center "$msg" &
else
    echo "$msg"
fi
