# Shared by the benchmarks that stage saves from the winning route (sourced, with `bin`
# the programs' folder and `work` a scratch folder set; the route's lines are in
# $work/route.txt, as route-lines.sh prints them).

# Prints one value of the state a dump shows after each line of the route (`index`
# counts from 0: 4 the floor, 14 the fairies met).
route_values() {
  local index=$1
  sed 's/$/\ndump/' "$work/route.txt" |
    "$bin/kelvorn-play" --prologue on |
    sed -E "s/^\\{\"state\":\\[([^,]*,){$index}([0-9]+),.*/\\2/"
}

# Saves to `out` the state after the first line whose value in `values` (one a line,
# as route_values prints them) is `value` and after which the game lets it be saved.
stage_where() {
  local values=$1 value=$2 out=$3 at
  for at in $(awk -v v="$value" '$0 == v { print NR }' "$values"); do
    rm -rf "$work/holder" && mkdir "$work/holder"
    if { head -n "$at" "$work/route.txt"; echo 'menu save 1'; } |
      "$bin/kelvorn-play" --prologue on --holder "$work/holder" >/dev/null 2>&1 &&
      [ -f "$work/holder/save1.dat" ]; then
      mv "$work/holder/save1.dat" "$out"
      return 0
    fi
  done
  return 1
}
