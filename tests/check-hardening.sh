#!/usr/bin/env bash
# Checks the Debian hardening of a release build. The executable's ELF headers show whether it is
# position-independent, has full RELRO with immediate binding and calls the stack protector. What
# leaves no reliable mark in the binary (fortified library calls, the strong stack protector and
# the optimisation that fortification needs) is read from the build's own compile commands, for
# each of the given sources compiled into the executable.
#   check-hardening.sh CMAKE EXECUTABLE COMPILE_COMMANDS SOURCE...
set -uo pipefail
cmake=$1 binary=$2 database=$3
shift 3
sources=("$@")
[[ ${#sources[@]} -gt 0 ]] || { echo "usage: $0 CMAKE EXECUTABLE COMPILE_COMMANDS SOURCE..." >&2; exit 2; }

failures=0 checks=0
# report WHAT [PROBLEM...]: passes when no problem is given.
report() {
    checks=$((checks + 1))
    [[ $# -eq 1 ]] && echo "ok: $1" && return
    failures=$((failures + 1))
    echo "FAIL: $1: ${*:2}"
}
check() { if bash -c "$2" >/dev/null 2>&1; then report "$1"; else report "$1" "not so in $binary"; fi; }

check "position-independent executable" \
    "readelf -h '$binary' | grep -q 'Type:.*DYN' && readelf -d '$binary' | grep -q 'FLAGS_1.*PIE'"
check "read-only relocations (RELRO)" "readelf -l '$binary' | grep -q GNU_RELRO"
check "immediate binding (BIND_NOW)" "readelf -d '$binary' | grep -Eq 'BIND_NOW|FLAGS_1.*NOW'"
check "stack protector" "readelf --dyn-syms -W '$binary' | grep -q __stack_chk_fail"

# The compile database as "file<TAB>command" lines; CMake reads its own JSON.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cat >"$scratch/list.cmake" <<'EOF'
file(READ "${database}" json)
string(JSON count LENGTH "${json}")
math(EXPR last "${count} - 1")
foreach(index RANGE ${last})
    string(JSON file GET "${json}" ${index} file)
    string(JSON command GET "${json}" ${index} command)
    string(APPEND lines "${file}\t${command}\n")
endforeach()
file(WRITE "${output}" "${lines}")
EOF
declare -A commands=()
if "$cmake" -Ddatabase="$database" -Doutput="$scratch/commands" -P "$scratch/list.cmake" >&2; then
    while IFS=$'\t' read -r file command; do commands[$file]=$command; done <"$scratch/commands"
fi

# For each source, the settings its compile command leaves in force: a later flag overrides an
# earlier one, as it does for the compiler.
unfortified=() unprotected=() unoptimised=()
for source in "${sources[@]}"; do
    [[ -n ${commands[$source]:-} ]] || {
        report "compile command for $source" missing
        continue
    }
    read -ra words <<<"${commands[$source]}"
    fortify=0 protector=none optimisation=-O0
    for word in "${words[@]}"; do
        case $word in
        -D_FORTIFY_SOURCE) fortify=1 ;;
        -D_FORTIFY_SOURCE=*) fortify=${word#*=} ;;
        -U_FORTIFY_SOURCE) fortify=0 ;;
        -fstack-protector* | -fno-stack-protector) protector=$word ;;
        -O*) optimisation=$word ;;
        esac
    done
    [[ $fortify =~ ^[0-9]+$ && $fortify -ge 2 ]] || unfortified+=("$source ($fortify)")
    [[ $protector == -fstack-protector-strong || $protector == -fstack-protector-all ]] ||
        unprotected+=("$source ($protector)")
    [[ $optimisation =~ ^-O[23s]$ ]] || unoptimised+=("$source ($optimisation)")
done
report "fortified library calls (_FORTIFY_SOURCE=2 or more) in ${#sources[@]} sources" \
    "${unfortified[@]}"
report "strong stack protector in ${#sources[@]} sources" "${unprotected[@]}"
report "optimised (-O2, -O3 or -Os) in ${#sources[@]} sources" "${unoptimised[@]}"

echo "$((checks - failures)) passed, $failures failed"
[[ $failures -eq 0 ]]
