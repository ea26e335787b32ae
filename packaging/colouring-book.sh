#!/bin/sh
# Starts the installed colouring book. The program finds its pictures, sounds and intro from
# its own folder, which the family's accounts cannot write; so it keeps the print's scratch
# copy in the user's cache folder instead, and it never creates that folder itself. This
# launcher prepares it, with the same choice of folder as the program makes: $XDG_CACHE_HOME
# when it is an absolute path, else $HOME/.cache.
case ${XDG_CACHE_HOME:-} in
  /*) cache=$XDG_CACHE_HOME ;;
  *)
    case ${HOME:-} in
      /*) cache=$HOME/.cache ;;
      *) cache= ;;
    esac
    ;;
esac
if [ -n "$cache" ]; then
  # The cache folder is private to its user, as the XDG base directories ask. A folder that
  # cannot be made only costs the printing, so the book starts all the same.
  [ -d "$cache" ] || mkdir -p -m 0700 "$cache" 2>/dev/null || true
  mkdir -p "$cache/colouring-book/MY_PICTURE" 2>/dev/null || true
fi

# The program lies in lib/colouring-book beside this script's bin folder, wherever the
# package put both; a symlink to this script is followed first.
bin=$(dirname "$(readlink -f "$0")")
exec "$bin/../lib/colouring-book/colouring-book" "$@"
