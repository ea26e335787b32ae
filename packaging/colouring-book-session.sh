#!/bin/sh
# The session of a child's own account: the colouring book alone, full screen, under the
# kiosk compositor cage, which has no shortcuts of its own. VT switching (cage -s) stays off,
# so Ctrl+Alt+F1 and the like cannot take a child to a text console; -d asks the book not to
# draw window decorations. Ctrl+X and Yes end the book, which ends cage and so the session.
bin=$(dirname "$(readlink -f "$0")")
exec cage -d -- "$bin/colouring-book" "$@"
