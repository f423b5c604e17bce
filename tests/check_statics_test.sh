#!/usr/bin/env bash
# Runs check_statics.sh over a small tree of its own: it must accept constants, functions, shader
# sources, comments and listed variables, and reject each planted mutable static; a listed one that is
# gone fails only the strict run.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fresh() {
    rm -rf "$work/tree"
    mkdir -p "$work/tree/views" "$work/tree/model"
    cat >"$work/tree/views/Clean.h" <<'CPP'
// Static functions, constants and operators of a class.
#pragma once
class Clean
{
public:
    static constexpr int kGrenze = 3;
    static const int kAnzahl;
    static Clean& Instance();
    static void Set(int n);
    static QString Name(const QString& s) { return s; }
    bool operator==(const Clean& o) const;
    static_assert(sizeof(int) == 4);
};
CPP
    cat >"$work/tree/views/Clean.cpp" <<'CPP'
// Constants, functions, a shader and a listed variable.
namespace {
constexpr int kWert = 3;
const double dFaktor = 2.5;
const QString strName = QStringLiteral("x");
static const char* const pszName = "x";
int nGelistet = 0;
constexpr const char* kShader = R"(
uniform mat4 uWorld;
out vec4 vColour;
)";
/* int nAlt = 0;
   float fAlt; */
} // namespace
const int Clean::kAnzahl = 2;
bool Clean::operator==(const Clean&) const
{
    return true;
}
int Wert(int n)
{
    // static int nKommentar = 1;
    static const QString text = QStringLiteral("a");
    static constexpr int kFest = 1;
    int nLokal = n;
    return nLokal + kWert + kFest + nGelistet;
}
CPP
    # The model is not a GUI layer.
    printf 'int nModell = 0;\n' >"$work/tree/model/Model.cpp"
    printf 'views/Clean.cpp nGelistet\n' >"$work/known"
}

# file | line planted at its end
cases=(
    'views/Clean.cpp|int Zaehler() { static int nZaehler = 0; return ++nZaehler; }'
    'views/Clean.cpp|    static float c5 = [] {'
    'views/Clean.cpp|    static std::map<int, int> karte;'
    'views/Clean.cpp|    static QString text{"a"};'
    'views/Clean.cpp|QString s_strPfad;'
    'views/Clean.cpp|const char* s_pszText = nullptr;'
    'views/Clean.cpp|CGetAnsView* CGetAnsView::s_pActiveView = nullptr;'
    'views/Clean.h|    static CGetAnsView* s_pActiveView;'
    'views/Clean.h|    static inline bool s_bFlag = false;'
)

fresh
if ! "$here/check_statics.sh" --strict "$work/tree" "$work/known" >"$work/out" 2>&1; then
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
    if "$here/check_statics.sh" "$work/tree" "$work/known" >"$work/out" 2>&1; then
        echo "not rejected: '$line' in $file"
        failed=1
    fi
done

# A listed variable that is gone is named; the strict run fails on it.
fresh
sed -i 's/^int nGelistet = 0;$//; s/ + nGelistet//' "$work/tree/views/Clean.cpp"
if ! "$here/check_statics.sh" "$work/tree" "$work/known" >"$work/out" 2>&1 || ! grep -q nGelistet "$work/out"; then
    echo "a listed variable that is gone is not named, or fails the check:"
    cat "$work/out"
    failed=1
fi
if "$here/check_statics.sh" --strict "$work/tree" "$work/known" >"$work/out" 2>&1; then
    echo "not rejected in the strict run: a listed variable that is gone"
    failed=1
fi

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "the check rejects every planted mutable static and names a stale list entry."
