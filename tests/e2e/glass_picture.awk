# Turns the pixels of the game window's client area into a picture of the glass and a few named
# pixel values, for play_test.sh.
#
# Input: one line per pixel row of the client area, as od prints raw 8-bit RGB (three numbers a
# pixel). Variables: brick (brick size in pixels), columns, rows, band (height of the top band),
# background ("R G B" of empty cells), points ("name:x:y name:x:y ..." in client coordinates).
#
# Output:
#   point NAME R G B       one line for each named point
#   row R PICTURE          one line for each glass row, a character a cell:
#                            .  empty: background colour at the centre and both corners
#                            x  a bevelled brick: its top-left corner lighter than the centre
#                               in every channel and its bottom-right corner darker
#                            #  black at the centre and both corners (the paused glass)
#                            ?  anything else
#   odd R C CENTRE TOPLEFT BOTTOMRIGHT   the samples of each "?" cell, as R,G,B
BEGIN {
    split(points, wanted, " ")
    # Only the sampled pixels are kept: the corners and the centre of each cell, and the points.
    for (r = 0; r < rows; r++) {
        for (c = 0; c < columns; c++) {
            for (i = 0; i < 3; i++) {
                sample[c * brick + int(i * (brick - 1) / 2), band + r * brick + int(i * (brick - 1) / 2)] = 1
            }
        }
    }
    for (i = 1; i in wanted; i++) {
        split(wanted[i], part, ":")
        sample[part[2], part[3]] = 1
    }
    for (key in sample) {
        split(key, xy, SUBSEP)
        sampledRow[xy[2]] = 1
    }
}

(NR - 1) in sampledRow {
    y = NR - 1
    for (x = 0; 3 * x + 3 <= NF; x++) {
        if ((x, y) in sample) {
            pixel[x, y] = $(3 * x + 1) " " $(3 * x + 2) " " $(3 * x + 3)
        }
    }
}

# 1 when every channel of a is at least that of b and one is greater.
function lighter(a, b, pa, pb, i, greater) {
    split(a, pa, " ")
    split(b, pb, " ")
    greater = 0
    for (i = 1; i <= 3; i++) {
        if (pa[i] + 0 < pb[i] + 0) {
            return 0
        }
        if (pa[i] + 0 > pb[i] + 0) {
            greater = 1
        }
    }
    return greater
}

function rgb(p) {
    gsub(/ /, ",", p)
    return p
}

END {
    for (i = 1; i in wanted; i++) {
        split(wanted[i], part, ":")
        print "point", part[1], pixel[part[2], part[3]]
    }
    for (r = 0; r < rows; r++) {
        line = ""
        for (c = 0; c < columns; c++) {
            x0 = c * brick
            y0 = band + r * brick
            centre = pixel[x0 + int(brick / 2), y0 + int(brick / 2)]
            topLeft = pixel[x0, y0]
            bottomRight = pixel[x0 + brick - 1, y0 + brick - 1]
            if (centre == background && topLeft == background && bottomRight == background) {
                cell = "."
            } else if (centre == "0 0 0" && topLeft == "0 0 0" && bottomRight == "0 0 0") {
                cell = "#"
            } else if (centre != background && lighter(topLeft, centre) &&
                       lighter(centre, bottomRight)) {
                cell = "x"
            } else {
                cell = "?"
                odd[r, c] = rgb(centre) " " rgb(topLeft) " " rgb(bottomRight)
            }
            line = line cell
        }
        print "row", r, line
    }
    for (key in odd) {
        split(key, rc, SUBSEP)
        print "odd", rc[1], rc[2], odd[key]
    }
}
