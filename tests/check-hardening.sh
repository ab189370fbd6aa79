#!/usr/bin/env bash
# Reads a release executable's ELF headers and checks the Debian hardening: a position-independent
# executable, full RELRO with immediate binding, the stack protector and fortified library calls.
#   check-hardening.sh EXECUTABLE
set -uo pipefail
binary=$1
failures=0
check() {
    local what=$1
    shift
    if "$@" >/dev/null 2>&1; then
        echo "ok: $what"
    else
        echo "FAIL: $what"
        failures=$((failures + 1))
    fi
}

check "position-independent executable" \
    bash -c "readelf -h '$binary' | grep -q 'Type:.*DYN' && readelf -d '$binary' | grep -q 'FLAGS_1.*PIE'"
check "read-only relocations (RELRO)" bash -c "readelf -l '$binary' | grep -q GNU_RELRO"
check "immediate binding (BIND_NOW)" bash -c "readelf -d '$binary' | grep -Eq 'BIND_NOW|FLAGS_1.*NOW'"
check "stack protector" bash -c "readelf --dyn-syms -W '$binary' | grep -q __stack_chk_fail"
check "compiled with -fstack-protector-strong and optimisation" \
    bash -c "readelf --debug-dump=info '$binary' | grep DW_AT_producer | grep -- -fstack-protector-strong | grep -q -- '-O[23s]'"
check "fortified library calls (_FORTIFY_SOURCE=2 or more)" \
    bash -c "readelf -p .function_graph.build '$binary' | grep -Eq '_FORTIFY_SOURCE=[23]'"

echo "$((6 - failures)) passed, $failures failed"
[[ $failures -eq 0 ]]
