#!/usr/bin/env bash
# Runs check_function_length.py over small source trees: each long function (in a namespace, a member
# defined out of or inside its class, a constructor with an initializer list, a template, an operator, a
# lambda outside any function, a function holding a long lambda) must be rejected and named; short
# functions around literals and comments full of braces, long data tables and the allowed command table
# must pass; braces that do not pair must fail rather than pass unread.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
check="$here/check_function_length.py"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# n statement lines.
body() {
    for ((i = 0; i < $1; ++i)); do
        echo "    n += $i;"
    done
}

# A fresh tree with one file: tree <path> (text on stdin).
tree() {
    rm -rf "$work/tree"
    mkdir -p "$work/tree/model" "$work/tree/$(dirname "$1")"
    cat >"$work/tree/$1"
}

failed=0

# expect_rejected <name the report must give> <path>: the file was written by tree.
expect_rejected() {
    if python3 "$check" "$work/tree" >"$work/out" 2>&1; then
        echo "not rejected: $1 in $2"
        failed=1
    elif ! grep -q "^$2:[0-9]*: $1 has" "$work/out"; then
        echo "rejected without naming $1 in $2:"
        cat "$work/out"
        failed=1
    fi
}

expect_accepted() {
    if ! python3 "$check" "$work/tree" >"$work/out" 2>&1; then
        echo "rejected: $1"
        cat "$work/out"
        failed=1
    fi
}

# A body of 149 statements makes a function of 151 lines: signature, braces and the statements.
{ echo "namespace qor { namespace {"; echo "int Lang(int n)"; echo "{"; body 148; echo "    return n;"; echo "}"
  echo "} }"; } | tree model/base/Lang.cpp
expect_rejected Lang model/base/Lang.cpp

{ echo "void CKlasse::Zeichne(QPainter& p) const"; echo "{"; body 149; echo "}"; } | tree draw2d/CKlasse.cpp
expect_rejected CKlasse::Zeichne draw2d/CKlasse.cpp

{ echo "CKlasse::CKlasse(int a)"; echo "    : m_a(a),"; echo "      m_b{a, 2}"; echo "{"; body 148; echo "}"; } |
    tree views/CKlasse.cpp
expect_rejected CKlasse::CKlasse views/CKlasse.cpp

{ echo "class CKlasse : public CBasis"; echo "{"; echo "    Q_OBJECT"; echo "public:"; echo "    int m_a{0};"
  echo "    void Male() override"; echo "    {"; body 149; echo "    }"; echo "};"; } | tree ui/CKlasse.h
expect_rejected Male ui/CKlasse.h

{ echo "template <typename T>"; echo "T Summe(const std::vector<T>& v)"; echo "{"; body 149; echo "}"; } |
    tree reports/Summe.h
expect_rejected Summe reports/Summe.h

{ echo "bool operator==(const A& a, const A& b) noexcept"; echo "{"; body 149; echo "}"; } | tree view3d/A.cpp
expect_rejected "operator==" view3d/A.cpp

{ echo 'extern "C" {'; echo 'int Export(int n)'; echo "{"; body 149; echo "}"; echo "}"; } | tree app/Export.cpp
expect_rejected Export app/Export.cpp

{ echo "const auto kRechne = [](int n) -> int {"; body 150; echo "};"; } | tree catalogue/Rechne.cpp
expect_rejected "kRechne (lambda)" catalogue/Rechne.cpp

{ echo "void CWizard::Verbinde()"; echo "{"; echo "    connect(a, b, [this](int n) {"; body 149; echo "    });"
  echo "}"; } | tree loadsecuring/CWizard.cpp
expect_rejected CWizard::Verbinde loadsecuring/CWizard.cpp

# Passes: a function of exactly 150 lines among braces in literals, comments and macro lines, a
# long table of data, a class with short members and the allowed command table.
{
    echo '#define OEFFNE {'
    echo 'namespace {'
    echo 'const int kTabelle[] = {'
    for ((i = 0; i < 200; ++i)); do echo "    $i,"; done
    echo '};'
    echo '} // namespace'
    echo 'struct S'
    echo '{'
    echo '    int Kurz() const { return 1; }'
    echo '    struct Innen { int a = 1; };'
    echo '};'
    echo 'int Grenze(int n)'
    echo '{'
    echo '    const char* a = "{ \" {";'
    echo "    const char b = '{';"
    echo "    const char c = '\\'';"
    echo '    const char* r = R"x({ ")" {)x";'
    echo "    n += 1'000'000;"
    echo '    // {'
    echo '    /* { */'
    echo '#define ZWEI_ZEILEN { \'
    echo '    {'
    body 137
    echo '    return n + a[0] + b + c + r[0];'
    echo '}'
} | tree model/plan/Grenze.cpp
mkdir -p "$work/tree/app"
{ echo "void CMainFrame::RegisterDocumentCommands()"; echo "{"; body 200; echo "}"; } \
    >"$work/tree/app/CMainFrameDocumentCommands.cpp"
expect_accepted "a function of 150 lines, a data table or the allowed command table"

{ echo "void Offen()"; echo "{"; echo "    if (n) {"; echo "}"; } | tree platform/Offen.cpp
python3 "$check" "$work/tree" >"$work/out" 2>&1
status=$?
if [ "$status" -ne 2 ] || ! grep -q "platform/Offen.cpp" "$work/out"; then
    echo "unpaired braces in platform/Offen.cpp gave status $status:"
    cat "$work/out"
    failed=1
fi

[ "$failed" -eq 0 ] && echo "every long function was rejected and every allowed one passed"
exit "$failed"
