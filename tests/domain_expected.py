"""Independent results for the domain sweep: same double arithmetic, its own rounding and text."""
import math
import sys


def round_half_away(x):
    f = math.floor(x)
    return f + 1 if x - f >= 0.5 else f  # exact: x - floor(x) has no rounding error here


def expected(iq, r):
    p = r * (iq - 100) + 100
    se = 15 * math.sqrt(1 - r * r)
    pred = "%d" % round_half_away(p)
    if len(pred) == 2:
        pred = " " + pred
    rows = []
    for k in (1, 1.5, 1.645, 1.96):
        d = k * se
        t = "%d - %d" % (round_half_away(p - d), round_half_away(p + d))
        rows.append("  " + t if len(t) < 9 else t)
    return [pred] + rows


def inputs():
    for iq in range(45, 156):
        for k in range(1, 1000):
            yield "%d" % iq, ".%03d" % k


if sys.argv[1] == "inputs":
    sys.stdout.write("".join("%s\t%s\n" % pair for pair in inputs()))
else:
    lines = open(sys.argv[3]).read().split("\n")[:-1]
    pairs = list(inputs())
    assert len(lines) == len(pairs) == 110889, (len(lines), len(pairs))
    for (iq, r), line in zip(pairs, lines):
        cols = line.split("\t")
        want = [iq, r] + expected(int(iq), float(r)) + ["-"]
        if cols[:8] != want:
            sys.exit("mismatch for %s %s: got %r want %r" % (iq, r, cols[:8], want))
        if cols[9] != "0":
            sys.exit("unexpected beep for %s %s" % (iq, r))
    print("domain sweep: all %d results match" % len(lines))
