# Sourced by the checks that start Wine themselves, each in a Wine prefix of
# its own:  use_wine_prefix PREFIX, with `wine` naming Wine's wine64.
# Exports the prefix for every Wine program the check starts, and sets
# run_wine, the command that starts one, and wineserver, the prefix's server.
use_wine_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=-all
  # No Mono or Gecko install dialogs in a new prefix.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # Without a preloader (Debian's Wine has none) a Windows program now and
  # then fails at once when the address space is laid out at random: Wine
  # runs with it laid out the same each time.
  run_wine=(setarch --addr-no-randomize "$wine")
  wineserver=$(dirname "$wine")/wineserver
  [ -x "$wineserver" ] || wineserver=wineserver
}
