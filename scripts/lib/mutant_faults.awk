# The one-line faults scripts/mutants.sh may put into a C++ file, one per
# output line: LINE <tab> FAULT <tab> THE LINE AS THE FAULT LEAVES IT.
#
#   awk -v lines="12 13 40" -f mutant_faults.awk FILE
#
# Only the listed lines get faults. The rules lean on clang-format's layout:
# a binary operator always has a blank on each side, a template's angle
# brackets never do. Strings, characters, comments and preprocessor lines
# are left alone.
#   comparison    < and <=, > and >= swapped; == and != swapped
#   arithmetic    + and - swapped (+= and -= too)
#   logic         && and || swapped; either side of one dropped
#   constant      an integer literal one higher
#   statement     a call or an assignment on a line of its own dropped
BEGIN {
    n = split(lines, wanted, " ")
    for (i = 1; i <= n; ++i) {
        changed[wanted[i]] = 1
    }
    inComment = 0
    previousEnd = ";"
}

function blanks(count,    text) {
    text = ""
    while (count-- > 0) {
        text = text " "
    }
    return text
}

# The line with string and character contents and comments turned into
# blanks or underscores, the same length, so that a match in it is a match
# in the line at the same place.
function masked(line,    out, i, len, c, quote, d) {
    out = ""
    len = length(line)
    i = 1
    while (i <= len) {
        c = substr(line, i, 1)
        if (inComment) {
            if (substr(line, i, 2) == "*/") {
                out = out "  "
                i += 2
                inComment = 0
            } else {
                out = out " "
                ++i
            }
            continue
        }
        if (substr(line, i, 2) == "//") {
            return out blanks(len - i + 1)
        }
        if (substr(line, i, 2) == "/*") {
            inComment = 1
            out = out "  "
            i += 2
            continue
        }
        if (c == "\"" || c == "'") {
            quote = c
            out = out c
            ++i
            while (i <= len) {
                d = substr(line, i, 1)
                if (d == "\\") {
                    out = out "__"
                    i += 2
                    continue
                }
                ++i
                if (d == quote) {
                    out = out d
                    break
                }
                out = out "_"
            }
            continue
        }
        out = out c
        ++i
    }
    return out
}

function trimmed(text) {
    sub(/^[ \t]+/, "", text)
    sub(/[ \t]+$/, "", text)
    return text
}

function emit(at, from, to, fault) {
    printf "%d\t%s\t%s\n", NR, fault, substr(original, 1, at - 1) to substr(original, at + length(from))
}

# Every place where `op`, with a blank on each side, stands in the code, put
# as `by`.
function swapped(code, op, by,    start, at, found) {
    start = 1
    while ((found = index(substr(code, start), " " op " ")) > 0) {
        at = start + found
        emit(at, op, by, "`" op "` -> `" by "`")
        start = at + length(op)
    }
}

function isIdentifierChar(c) {
    return c ~ /[A-Za-z0-9_]/
}

# Where the operand left of the logical operator at `at` starts.
function leftOperand(code, at,    i, depth, c, start) {
    depth = 0
    for (i = at - 1; i >= 1; --i) {
        c = substr(code, i, 1)
        if (c == ")" || c == "]") {
            ++depth
        } else if (c == "(" || c == "[") {
            if (depth == 0) {
                break
            }
            --depth
        } else if (depth == 0 && (c == "," || c == ";" || c == "?" || c == "{")) {
            break
        } else if (depth == 0 && (substr(code, i - 1, 2) == "&&" || substr(code, i - 1, 2) == "||")) {
            break
        } else if (depth == 0 && c == "=" && substr(code, i - 1, 1) !~ /[=<>!]/ &&
                   substr(code, i + 1, 1) != "=") {
            break
        }
    }
    start = i + 1
    while (substr(code, start, 1) == " ") {
        ++start
    }
    if (substr(code, start, 7) == "return ") {
        start += 7
    }
    return depth == 0 ? start : 0
}

# Where the operand right of the logical operator ending before `from`
# ends, or 0 when it goes on past the line.
function rightOperand(code, from,    i, depth, c, len) {
    depth = 0
    len = length(code)
    for (i = from; i <= len; ++i) {
        c = substr(code, i, 1)
        if (c == "(" || c == "[") {
            ++depth
        } else if (c == ")" || c == "]") {
            if (depth == 0) {
                break
            }
            --depth
        } else if (depth == 0 && (c == "," || c == ";" || c == "?" || c == "}" ||
                                   (c == ":" && substr(code, i - 1, 3) !~ /::/))) {
            break
        } else if (depth == 0 && (substr(code, i, 2) == "&&" || substr(code, i, 2) == "||")) {
            break
        }
    }
    if (i > len) {
        return 0
    }
    while (i > from && substr(code, i - 1, 1) == " ") {
        --i
    }
    return depth == 0 ? i - 1 : 0
}

function logic(code, op, by,    start, found, at, left, right, end, text) {
    start = 1
    # A line may end with the operator, its right side on the next line.
    while ((found = index(substr(code " ", start), " " op " ")) > 0) {
        at = start + found
        emit(at, op, by, "`" op "` -> `" by "`")
        left = leftOperand(code, at - 1)
        if (left > 0) {
            text = substr(original, left, at + length(op) + 1 - left)
            emit(left, text, "", "drop `" trimmed(text) "`")
        }
        end = rightOperand(code, at + length(op) + 1)
        if (end > 0) {
            text = substr(original, at - 1, end - at + 2)
            emit(at - 1, text, "", "drop `" trimmed(text) "`")
        }
        start = at + length(op)
    }
}

function constants(code,    i, len, c, before, j, digits, after) {
    len = length(code)
    for (i = 1; i <= len; ++i) {
        c = substr(code, i, 1)
        if (c !~ /[0-9]/) {
            continue
        }
        before = substr(code, i - 1, 1)
        j = i
        while (substr(code, j, 1) ~ /[0-9]/) {
            ++j
        }
        digits = substr(code, i, j - i)
        after = substr(code, j, 1)
        # Whole integer literals only: no part of a name, a float or a hex
        # number; an exponent's digits follow an e.
        if (!isIdentifierChar(before) && before != "." && after != "." && after != "x" &&
            after != "'" && (after !~ /[A-Za-z_]/ || after ~ /[uUlL]/) &&
            !((before == "-" || before == "+") && substr(code, i - 2, 1) ~ /[eE]/)) {
            emit(i, digits, digits + 1, "`" digits "` -> `" (digits + 1) "`")
        }
        i = j
    }
}

# A statement that is a call or an assignment, whole on its line.
function statement(code, previous,    text, start) {
    if (previous !~ /[;{}:]$/ && previous != "") {
        return
    }
    text = trimmed(code)
    if (text ~ /^[A-Za-z_][A-Za-z0-9_:.>\[\]-]*\(.*\);$/ ||
        text ~ /^[A-Za-z_*][A-Za-z0-9_:.>\[\]()*-]* ([-+*\/|&]?=) .*;$/ ||
        text ~ /^(\+\+|--)[A-Za-z_][A-Za-z0-9_.>\[\]-]*;$/ ||
        text ~ /^[A-Za-z_][A-Za-z0-9_.>\[\]-]*(\+\+|--);$/) {
        if (text ~ /^(return|delete|throw|break|continue|goto)[^A-Za-z0-9_]/) {
            return
        }
        start = index(code, text)
        emit(start, substr(original, start, length(text)), "",
             "drop `" trimmed(substr(original, start, length(text))) "`")
    }
}

{
    original = $0
    code = masked($0)
    if (code ~ /^[ \t]*#/) {
        previousEnd = ";"
        next
    }
    if (NR in changed) {
        swapped(code, "<", "<=")
        swapped(code, "<=", "<")
        swapped(code, ">", ">=")
        swapped(code, ">=", ">")
        swapped(code, "==", "!=")
        swapped(code, "!=", "==")
        swapped(code, "+", "-")
        swapped(code, "-", "+")
        swapped(code, "+=", "-=")
        swapped(code, "-=", "+=")
        logic(code, "&&", "||")
        logic(code, "||", "&&")
        constants(code)
        statement(code, previousEnd)
    }
    # Comment and blank lines leave the statement boundary where it was.
    if (trimmed(code) != "") {
        previousEnd = substr(trimmed(code), length(trimmed(code)), 1)
    }
}
