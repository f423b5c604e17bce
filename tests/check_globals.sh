#!/usr/bin/env bash
# Fails when a product folder above the model (platform/ up to app/) defines or declares a mutable
# variable named g_...: what the program keeps for a run belongs to the run object (ui/ProgramRun.h)
# or to the window that uses it, what a paint needs is a parameter of the paint. Constants (const,
# constexpr) may stay.
# The variables listed in the known list (default: check_globals.known beside this script, lines of
# "<file> <name>") are still to move: the check accepts them, and fails on a listed one that is gone so
# that the list only shrinks.
# Usage: check_globals.sh [source root] [known list].
set -u
here="$(cd "$(dirname "$0")" && pwd)"
root="${1:-$here/..}"
known="${2:-$here/check_globals.known}"
folders=(platform ui draw2d views catalogue reports view3d loadsecuring app)

# A definition or declaration: optional storage words, a type, then the name and =, ;, { or [.
# Statements that merely use a g_ name (return, delete, ...) and constants are not definitions.
definition='^\s*(?:(?:static|inline|extern|thread_local)\s+)*(?!(?:return|delete|case|else|throw|co_return|goto)\b)[A-Za-z_][\w:<>,\s*&]*?[\s*&]g_\w+\s*(?:=|;|\{|\[)'
constant='^[^:]+:\d+:(?:.*\bconstexpr\b|\s*(?:(?:static|inline|extern)\s+)*const\b[^*]*$)'

found="$(cd "$root" && for folder in "${folders[@]}"; do
    [ -d "$folder" ] || continue
    grep -rnP "$definition" "$folder" --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.inl' || true
done | grep -vP '^[^:]+:\d+:\s*//' | grep -vP "$constant" | perl -ne 'print "$1 $2\n" if /^([^:]+):\d+:.*?\b(g_\w+)\s*(?:=|;|\{|\[)/' | sort -u)"

source "$here/known_list.sh"
if ! compare_with_known "$found" "$known" "mutable g_ variables in the GUI layers (keep the state in the program run or the window, or
pass it as a parameter):" 1; then
    exit 1
fi
echo "no mutable g_ variables in the GUI layers beyond the $known_count listed."
