#!/usr/bin/env bash
# Runs check_globals.sh over a small tree of its own: it must accept constants, uses and listed
# variables, and reject each planted mutable g_ variable and a listed one that is gone.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fresh() {
    rm -rf "$work/tree"
    mkdir -p "$work/tree/views" "$work/tree/model"
    cat >"$work/tree/views/Clean.cpp" <<'CPP'
// Constants, uses and a listed variable.
namespace {
constexpr int g_kGrenze = 3;
const double g_dFaktor = 2.5;
static constexpr const char* g_szName = "x";
int g_nGelistet = 0;
} // namespace
int Wert(int n)
{
    // g_nKommentar = 1;
    g_nGelistet = n;
    return g_nGelistet + g_kGrenze;
}
CPP
    # The model is not a GUI layer.
    printf 'int g_nModell = 0;\n' >"$work/tree/model/Model.cpp"
    printf 'views/Clean.cpp g_nGelistet\n' >"$work/known"
}

# file | line planted at its end
cases=(
    'views/Clean.cpp|bool g_bNeu = false;'
    'views/Clean.cpp|static double g_dZoom;'
    'views/Clean.cpp|extern bool g_bFlag;'
    'views/Clean.cpp|std::map<const QWidget*, int> g_fenster;'
    'views/Clean.cpp|const char* g_pszText = nullptr;'
    'views/Clean.cpp|  inline QString g_text{"a"};'
    'views/Clean.h|IViewShell* g_pShell = nullptr;'
)

fresh
if ! "$here/check_globals.sh" "$work/tree" "$work/known" >"$work/out" 2>&1; then
    echo "the check rejects the clean tree:"
    cat "$work/out"
    exit 1
fi

failed=0
for c in "${cases[@]}"; do
    file="${c%%|*}"
    line="${c#*|}"
    fresh
    printf '%s\n' "$line" >>"$work/tree/$file"
    if "$here/check_globals.sh" "$work/tree" "$work/known" >"$work/out" 2>&1; then
        echo "not rejected: '$line' in $file"
        failed=1
    fi
done

# A listed variable that is gone fails too, so the list only shrinks.
fresh
sed -i 's/^int g_nGelistet = 0;$/int nGelistet = 0;/; s/g_nGelistet/nGelistet/g' "$work/tree/views/Clean.cpp"
if "$here/check_globals.sh" "$work/tree" "$work/known" >"$work/out" 2>&1; then
    echo "not rejected: a listed variable that is gone"
    failed=1
fi

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "the check rejects every planted mutable g_ variable and a stale list entry."
