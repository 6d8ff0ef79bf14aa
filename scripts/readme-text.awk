# Turns the user's part of README.md into the plain-text README.txt of the
# download: the title, the opening paragraphs and the sections named in
# `keep` ("|" between names), without pictures, captions or table pipes; code
# marks become quotes in the text and go in tables. Lines end in CR LF, as
# Windows editors expect.
#   awk -v keep="Using it|Settings" -f readme-text.awk README.md > README.txt

BEGIN {
    ORS = "\r\n"
    split(keep, names, "|")
    for (i in names)
        wanted[names[i]] = 1
    keeping = 1       # the opening part, up to the first section
    blank = 0         # a blank line is owed before the next text
    dropping = 0      # inside a paragraph that is left out
    rows = 0          # table rows gathered so far
    width = 78
}

function underline(text, mark,    line) {
    line = text
    gsub(/./, mark, line)
    return line
}

function emit(line) {
    if (blank && printed)
        print ""
    blank = 0
    printed = 1
    print line
}

# A table as two columns: the first padded to its widest cell, the second
# wrapped under itself.
function flush_table(    i, first, room, text, cut, lead) {
    if (!rows)
        return
    first = 0
    for (i = 1; i <= rows; i++)
        if (length(left[i]) > first)
            first = length(left[i])
    room = width - 2 - first - 2
    for (i = 1; i <= rows; i++) {
        lead = sprintf("  %-" first "s  ", left[i])
        text = right[i]
        while (length(text) > room) {
            cut = room + 1
            while (cut > 1 && substr(text, cut, 1) != " ")
                cut--
            if (cut <= 1)
                break
            emit(lead substr(text, 1, cut - 1))
            text = substr(text, cut + 1)
            lead = sprintf("  %-" first "s  ", "")
        }
        emit(lead text)
    }
    rows = 0
}

{ sub(/\r$/, "") }

/^\|/ {
    if (!keeping)
        next
    line = $0
    gsub(/`/, "", line)
    sub(/^\|[ ]*/, "", line)
    sub(/[ ]*\|[ ]*$/, "", line)
    split(line, cells, /[ ]*\|[ ]*/)
    if (cells[1] ~ /^-+$/) {
        left[++rows] = underline(left[rows - 1], "-")
        right[rows] = underline(right[rows - 1], "-")
    } else {
        left[++rows] = cells[1]
        right[rows] = cells[2]
    }
    next
}

{ flush_table() }

/^# / {
    emit(substr($0, 3))
    emit(underline(substr($0, 3), "="))
    blank = 1
    next
}

/^## / {
    name = substr($0, 4)
    keeping = (name in wanted)
    if (keeping) {
        blank = 1
        emit(name)
        emit(underline(name, "-"))
    }
    next
}

!keeping { next }

/^[ \t]*$/ {
    blank = 1
    dropping = 0
    next
}

# Pictures and their captions (a paragraph in italics) mean nothing in text.
/^!\[/ || /^\*[^ *]/ { dropping = 1 }
dropping { next }

{
    line = $0
    gsub(/`/, "\"", line)
    emit(line)
}

END { flush_table() }
