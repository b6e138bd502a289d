# Sourced by bench/run and bench/memory (from the repository root, after the release preset is
# configured): where the generated 70-room, 10-year database set lives, and making it once.
#
# The set is generated for a fixed reference day, so that every run measures the same rows. Its
# folder name carries a fingerprint of the generator and the database code (their committed
# trees), so that a set made by an older generator is not measured by mistake.
bench_rooms=70
bench_years=10
bench_seed=1
bench_until=2026-12-31
bench_today=2026-06-15
bench_fingerprint="$( { git rev-parse HEAD:tools/tavomera-db HEAD:src/data 2>/dev/null || echo ohne-git; } | sha1sum | cut -c1-8)"
bench_set_parent="$PWD/build/release/bench-set"
bench_set_dir="$bench_set_parent/${bench_rooms}x${bench_years}-s${bench_seed}-${bench_until}-${bench_today}-${bench_fingerprint}"

# Generates the set unless it is there; sets of another fingerprint are removed first.
bench_ensure_set() {
  if [ -f "$bench_set_dir/.fertig" ]; then return; fi
  mkdir -p "$bench_set_parent"
  find "$bench_set_parent" -mindepth 1 -maxdepth 1 -type d -name "${bench_rooms}x${bench_years}-*" -exec rm -rf {} +
  echo "Erzeuge die Benchmark-Daten in $bench_set_dir …" >&2
  build/release/tools/tavomera-db/tavomera-db generate "$bench_set_dir" --rooms "$bench_rooms" --years "$bench_years" \
    --seed "$bench_seed" --until "$bench_until" --today "$bench_today" >&2
  touch "$bench_set_dir/.fertig"
}
