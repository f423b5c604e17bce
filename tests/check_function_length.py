#!/usr/bin/env python3
"""Fails when a function in the product folders is longer than the limit.

A function's length runs from the line of its parameter list to the line of its closing brace. Every
function body counts: free functions, functions inside namespaces, member functions defined in or out
of their class, and lambdas outside any function; a lambda inside a function counts towards the
function that holds it.

Usage: check_function_length.py [--limit N] [--list] [source root]
  --list  prints every function over the limit, allowed or not, and fails on none of them.
"""
import os
import re
import sys

LIMIT = 150

FOLDERS = ["model", "platform", "ui", "draw2d", "views", "catalogue", "reports", "view3d",
           "loadsecuring", "app"]

# Functions that may be longer than the limit: (file under the root, qualified name, reason).
# Only tables that register or dispatch commands belong here: splitting them would scatter one
# list over several functions without making any of them easier to read.
ALLOWED = [
    ("app/CMainFrameDocumentCommands.cpp", "CMainFrame::RegisterDocumentCommands",
     "registers the document commands with their update handlers, one short entry after another"),
]

# Functions being split on another branch at the time of writing: passed over like the tables above
# until that branch lands. Remove an entry as soon as its function is short; --list names stale ones.
PENDING = []

EXTENSIONS = (".cpp", ".h", ".hpp", ".cc", ".inl")


def blank_out(text):
    """Returns text with comments, string and character literals and preprocessor lines replaced by
    spaces; line breaks stay, so positions keep their line numbers."""
    out = []
    i = 0
    n = len(text)
    at_line_start = True
    while i < n:
        c = text[i]
        if at_line_start and c in " \t":
            out.append(c)
            i += 1
            continue
        if at_line_start and c == "#":
            # A preprocessor line, with its continuation lines.
            while i < n and text[i] != "\n":
                if text[i] == "\\" and i + 1 < n and text[i + 1] == "\n":
                    out.append(" \n")
                    i += 2
                    continue
                out.append(" ")
                i += 1
            continue
        at_line_start = False
        if c == "\n":
            out.append(c)
            i += 1
            at_line_start = True
            continue
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                out.append(" ")
                i += 1
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append(re.sub(r"[^\n]", " ", text[i:end]))
            i = end
            continue
        raw = re.match(r'(?:u8|u|U|L)?R"([^()\\\s]{0,16})\(', text[i:i + 40])
        if raw and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            close = ")" + raw.group(1) + '"'
            end = text.find(close, i + raw.end())
            end = n if end < 0 else end + len(close)
            out.append('""' + re.sub(r"[^\n]", " ", text[i + 2:end]))
            i = end
            continue
        if c == "'" and i > 0 and text[i - 1].isalnum():
            # A digit separator (1'000) rather than a character literal?
            j = i - 1
            while j > 0 and (text[j - 1].isalnum() or text[j - 1] in "'."):
                j -= 1
            if text[j].isdigit():
                out.append(" ")
                i += 1
                continue
        if c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(c + " " * (j - i - 2) + c if j - i >= 2 else c)
            i = j
            continue
        out.append(c)
        i += 1
    return "".join(out)


CLASS_HEAD = re.compile(r"^(?:\[\[[^\]]*\]\]\s*)*(?:(?:typedef|export)\s+)?(?:class|struct|union|enum)\b")
NAMESPACE_HEAD = re.compile(r"^(?:inline\s+)?namespace\b|^extern\s*\"\s*\"\s*$")
QUALIFIERS = r"(?:\s*(?:const|volatile|noexcept(?:\s*\([^()]*\))?|override|final|mutable|constexpr|" \
             r"throw\s*\(\s*\)|&&?|->\s*[\w:<>,\s*&]+|requires\b[^{;]*))*\s*"
FUNCTION_TAIL = re.compile(r"\)" + QUALIFIERS + r"$")
INITIALIZER_LIST = re.compile(r"\)\s*(?:noexcept\s*)?:(?!:)")
LAMBDA_TAIL = re.compile(r"\[[^\[\]]*\]\s*(?:\((?:[^()]|\([^()]*\))*\))?" + QUALIFIERS + r"$")
ACCESS = re.compile(r"\b(?:public|protected|private|signals|Q_SIGNALS)\s*(?:slots|Q_SLOTS)?\s*:(?!:)")


def strip_template(head):
    head = head.lstrip()
    while head.startswith("template"):
        k = head.find("<")
        if k < 0:
            break
        depth = 0
        for m in range(k, len(head)):
            depth += {"<": 1, ">": -1}.get(head[m], 0)
            if depth == 0:
                head = head[m + 1:].lstrip()
                break
        else:
            break
    return head


def first_paren(head):
    """The offset of the first '(' at bracket depth 0 in head, or -1."""
    depth = 0
    for k, c in enumerate(head):
        if c == "(" and depth == 0:
            return k
        if c in "([":
            depth += 1
        elif c in ")]":
            depth -= 1
    return -1


def function_name(head):
    k = first_paren(head)
    before = head[:k] if k >= 0 else head
    lam = re.search(r"(\w+)\s*=\s*\[[^\]]*\]\s*$", before)
    if lam:
        return lam.group(1) + " (lambda)"
    if before.rstrip().endswith("]"):
        return "(lambda)"
    m = re.search(r"((?:[\w~]+(?:<[^<>()]*>)?\s*::\s*)*(?:operator\s*[^\s\w]+|operator\s+[\w:<>*& ]+|[\w~]+))\s*$",
                  before)
    return re.sub(r"\s+", "", m.group(1)) if m else "(unnamed)"


def functions(text):
    """Yields (name, first line, last line) of every outermost function body in text."""
    code = blank_out(text)
    line_at = []
    line = 1
    for c in code:
        line_at.append(line)
        if c == "\n":
            line += 1
    stack = []  # (kind, offset of the head, head) per open brace
    head_start = 0
    for i, c in enumerate(code):
        if c == ";":
            if not stack or stack[-1][0] in ("namespace", "class"):
                head_start = i + 1
        elif c == "{":
            outer = stack[-1][0] if stack else "namespace"
            head = code[head_start:i]
            acc = None
            for acc in ACCESS.finditer(head):
                pass
            if acc and outer == "class":
                head = head[acc.end():]
            flat = re.sub(r"\s+", " ", head).strip()
            if outer in ("function", "inner"):
                kind = "inner"
            elif outer == "other":
                tail = re.split(r"[{},;(=]", flat)
                kind = "function" if LAMBDA_TAIL.search(flat) and not FUNCTION_TAIL.search(tail[-1] or "x") \
                    else "other"
                if kind == "function":
                    lam = flat.rfind("[")
                    head = flat[lam:]
            else:
                bare = strip_template(flat)
                if NAMESPACE_HEAD.search(bare):
                    kind = "namespace"
                elif CLASS_HEAD.search(bare) and first_paren(bare) < 0:
                    kind = "class"
                elif first_paren(bare) >= 0 and FUNCTION_TAIL.search(bare):
                    kind = "function"
                elif INITIALIZER_LIST.search(bare) and not re.search(r"\w\s*$", bare):
                    # A constructor's body after its initializer list; "m_a{" opens a member's initializer.
                    kind = "function"
                else:
                    kind = "other"
            if kind == "function":
                k = first_paren(head)
                start = head_start + (k if k >= 0 else 0) + (len(code[head_start:i]) - len(head))
                stack.append((kind, start, head))
            else:
                stack.append((kind, i, head))
            if kind in ("namespace", "class"):
                head_start = i + 1
        elif c == "}":
            if not stack:
                raise ValueError("unbalanced '}' on line %d" % line_at[i])
            kind, start, head = stack.pop()
            if kind == "function":
                yield function_name(head), line_at[start], line_at[i]
            if kind in ("namespace", "class", "function"):
                head_start = i + 1
    if stack:
        raise ValueError("unbalanced '{' opened on line %d" % line_at[stack[-1][1]])


def main(argv):
    limit = LIMIT
    listing = False
    args = list(argv)
    if "--list" in args:
        args.remove("--list")
        listing = True
    if "--limit" in args:
        k = args.index("--limit")
        limit = int(args[k + 1])
        del args[k:k + 2]
    root = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    allowed = {(path, name) for path, name, _ in ALLOWED}
    pending = {(path, name) for path, name, _ in PENDING}
    failed = False
    broken = False
    found = []
    for folder in FOLDERS:
        for base, dirs, files in os.walk(os.path.join(root, folder)):
            dirs.sort()
            for f in sorted(files):
                if not f.endswith(EXTENSIONS):
                    continue
                path = os.path.join(base, f)
                rel = os.path.relpath(path, root)
                with open(path, encoding="utf-8", errors="replace") as fh:
                    text = fh.read()
                try:
                    for name, first, last in functions(text):
                        length = last - first + 1
                        if length > limit:
                            ok = "allowed" if (rel, name) in allowed else ""
                            ok = "pending" if (rel, name) in pending else ok
                            found.append((length, rel, first, name, ok))
                except ValueError as e:
                    print("%s: cannot read the braces: %s" % (rel, e))
                    broken = True
    for length, rel, first, name, ok in sorted(found, reverse=True):
        if listing or not ok:
            print("%s:%d: %s has %d lines%s" % (rel, first, name, length, " (%s)" % ok if ok else ""))
        failed = failed or not ok
    long_ones = {(rel, name) for _, rel, _, name, _ in found}
    for path, name, _ in PENDING:
        if (path, name) not in long_ones:
            print("%s: %s is no longer over the limit: remove its entry from PENDING" % (path, name))
    if failed and not listing:
        print("Functions longer than %d lines: split them into named steps, or, for a command table, "
              "add it to ALLOWED in %s with the reason." % (limit, os.path.basename(__file__)))
    return 2 if broken else (1 if failed and not listing else 0)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
