# Sourced by the checks that keep a list of known findings (check_globals.sh, check_statics.sh).
#
# compare_with_known FOUND KNOWN HEADING FAIL_ON_GONE
#   FOUND: the check's findings, "<file> <name>" a line; KNOWN: the list file (lines of "<file> <name>",
#   comments with #). Prints the findings not listed under HEADING and the listed ones no longer found;
#   returns 1 on a new finding, and on a gone one when FAIL_ON_GONE is 1. Sets known_count to the number
#   of listed lines.
compare_with_known() {
    local found="$1" known="$2" heading="$3" fail_on_gone="$4"
    local listed="" new gone failed=0
    if [ -f "$known" ]; then
        listed="$(grep -vE '^\s*(#|$)' "$known" | awk '{print $1, $2}' | sort -u)"
    fi
    known_count="$(printf '%s\n' "$listed" | sed '/^$/d' | wc -l)"
    new="$(comm -23 <(printf '%s\n' "$found" | sed '/^$/d') <(printf '%s\n' "$listed" | sed '/^$/d'))"
    if [ -n "$new" ]; then
        printf '%s\n' "$heading"
        printf '%s\n' "$new"
        failed=1
    fi
    gone="$(comm -13 <(printf '%s\n' "$found" | sed '/^$/d') <(printf '%s\n' "$listed" | sed '/^$/d'))"
    if [ -n "$gone" ]; then
        echo "listed in $known but no longer there (take them off the list):"
        printf '%s\n' "$gone"
        [ "$fail_on_gone" -eq 1 ] && failed=1
    fi
    return "$failed"
}
