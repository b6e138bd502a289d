# Sourced by bench/run and bench/memory (from the repository root, after the release preset is
# configured): where the generated 70-room database sets live, and making each once.
#
# Two sets of the same hotel: 10 years of history and 30 years, with the same seed, end of history
# and reference day. Every interaction is measured on both; the ratio shows what grows with the
# length of the history.
#
# A set is generated for a fixed reference day, so that every run measures the same rows. Its
# folder name carries a fingerprint of the generator, the engine and the schema (their
# committed trees and any change not yet committed), so that a set made by older code is not
# measured by mistake.
bench_rooms=70
bench_years_all=(10 30)
bench_seed=1
bench_until=2026-12-31
bench_today=2026-06-15
bench_fingerprint="$( {
  git rev-parse HEAD:tools/tavomera-db HEAD:src/engine HEAD:src/store 2>/dev/null || echo ohne-git
  git diff HEAD -- tools/tavomera-db src/engine src/store 2>/dev/null
} | sha1sum | cut -c1-8)"
bench_set_parent="$PWD/build/release/bench-set"

# The folder of the set with that many years.
bench_set_dir_for() {
  echo "$bench_set_parent/${bench_rooms}x${1}-s${bench_seed}-${bench_until}-${bench_today}-${bench_fingerprint}"
}

# The 10-year set: the one bench/memory and a program started by hand use.
bench_years=10
bench_set_dir="$(bench_set_dir_for "$bench_years")"

# Generates the set of that many years (default 10) unless it is there; sets of the same length
# and another fingerprint are removed first.
bench_ensure_set() {
  local years="${1:-$bench_years}"
  local dir
  dir="$(bench_set_dir_for "$years")"
  if [ -f "$dir/.fertig" ]; then return; fi
  mkdir -p "$bench_set_parent"
  find "$bench_set_parent" -mindepth 1 -maxdepth 1 -type d -name "${bench_rooms}x${years}-*" -exec rm -rf {} +
  echo "Erzeuge die Benchmark-Daten ($years Jahre) in $dir …" >&2
  build/release/tools/tavomera-db/tavomera-db generate "$dir" --rooms "$bench_rooms" --years "$years" \
    --seed "$bench_seed" --until "$bench_until" --today "$bench_today" >&2
  touch "$dir/.fertig"
}
