#!/usr/bin/env bash
# Fails when a product folder above the model (platform/ up to app/) holds a mutable variable that
# lives as long as the process under another name than g_... (check_globals.sh checks those): a
# function's static, a class's static member, a variable at namespace scope. What the program keeps for
# a run belongs to the run object (ui/ProgramRun.h) or to the window or device that uses it. Constants
# (const objects, constexpr) may stay.
# The variables listed in the known list (default: check_statics.known beside this script, lines of
# "<file> <name>") are still to move: the check accepts them. A listed one that is gone is named so that
# the line can go; it fails the check only with --strict, since branches that move such variables are
# merged in any order.
# Usage: check_statics.sh [--strict] [source root] [known list].
set -u
strict=0
if [ "${1:-}" = "--strict" ]; then
    strict=1
    shift
fi
here="$(cd "$(dirname "$0")" && pwd)"
root="${1:-$here/..}"
known="${2:-$here/check_statics.known}"
folders=(platform ui draw2d views catalogue reports view3d loadsecuring app)

found="$(cd "$root" && for folder in "${folders[@]}"; do
    [ -d "$folder" ] || continue
    find "$folder" \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.inl' \) -print
done | LC_ALL=C sort | xargs -r perl -e '
use strict;
use warnings;
# Words after which a line declares no variable.
my $kw = qr/(?:return|delete|case|else|throw|goto|using|typedef|friend|namespace|template|class|struct|union|enum|public|private|protected|co_return|new|operator|explicit|virtual|override|static_assert)\b/;
my $type = qr/([\w:<>,\s*&]+?)[\s*&:](\w+)\s*(?:=(?!=)|;|\{|\[)/;
for my $file (@ARGV) {
    open my $fh, "<", $file or next;
    my ($comment, $raw) = (0, undef);
    while (my $line = <$fh>) {
        # Block comments and raw strings (shader sources) are no code.
        if (defined $raw) { undef $raw if index($line, ")$raw\"") >= 0; next; }
        if ($comment) { $comment = 0 if $line =~ m{\*/}; next; }
        if ($line =~ m{^\s*/\*} && $line !~ m{\*/}) { $comment = 1; next; }
        next if $line =~ m{^\s*(?://|\*|#)};
        (my $code = $line) =~ s{//.*}{};
        if ($code =~ /R"(\w*)\(/ && index($code, ")$1\"") < 0) { $raw = $1; }
        # A static after a brace or a semicolon on the line: the static of a one-line function.
        $code = "    $1" if $code =~ /[{;]\s*(static\s.*)$/;
        my $re;
        if ($code =~ /^\s+static\s/) {
            # Indented: a static of a function or a static member of a class.
            $re = qr/^\s+static\s+(?:(?:inline|thread_local)\s+)*(?!$kw)$type/;
        } elsif ($code =~ /^[A-Za-z_]/) {
            # Namespace scope (the contents of a namespace are not indented).
            $re = qr/^(?:(?:static|inline|thread_local|extern)\s+)*(?!$kw)$type/;
        } else {
            next;
        }
        next unless $code =~ $re;
        my ($declared, $name) = ($1, $2);
        next if $name =~ /^g_/ || $name eq "operator";
        next if $code =~ /\b(?:constexpr|constinit)\b/;
        next if $declared =~ /^\s*(?:const\s*)?$/;
        # A const object; a pointer to const is still mutable.
        next if $code =~ /^\s*(?:(?:static|inline|extern|thread_local)\s+)*const\b[^*]*$/;
        next if $declared =~ /\*\s*const\s*$/;
        print "$file $name\n";
    }
}' | sort -u)"

source "$here/known_list.sh"
if ! compare_with_known "$found" "$known" "mutable statics in the GUI layers (keep the state in the program run, the window or the device
that uses it, or pass it as a parameter):" "$strict"; then
    exit 1
fi
echo "no mutable statics in the GUI layers beyond the $known_count listed."
