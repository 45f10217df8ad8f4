#!/usr/bin/env python3
"""Generate a large synthetic mod for timing the checkers.

    gen_mod.py OUTDIR [--seed N] [--circles K] [--bases K | --single-includes]

Writes, all with CR LF line ends:

    OUTDIR/app/declarations.txt   1,500 declarations of every type word, some of them "?" families
    OUTDIR/app/ignorefiles.txt    built-in object names that count as present ODF files
    OUTDIR/app/proplib.txt        a small property library, so the editor starts without complaint
    OUTDIR/app/prefs.ini          [Application] Version and [Dirs] Addon / Sod (absolute paths)
    OUTDIR/addon/*.odf            5,000 ODF files of about 200 lines each
    OUTDIR/addon/tree.tt          a tech tree of 2,000 entries
    OUTDIR/sod/*.sod              3,000 empty model files

Most lines are valid; a small share carries faults of every kind, so that the checkers also pay
for building messages. The output depends only on the seed. Only the standard library is used.

With --circles K (for the cross-file checks), K entries of tree.tt also require an object that
requires them, which closes K circles, and K objects get a second entry. These changes draw on
a random stream of their own, so every other file is the same as without the option.

With --bases K the includes form the layers of a real mod instead of pointing at random files:
o00000.odf to o{K-1}.odf become short base files, a tenth of them roots that include nothing,
three tenths middle bases that include one or two roots, the rest leaf bases that include one or
two middle ones. Each base sets twelve properties no other base sets, and every leaf base also
sets one shared property to a value of its own, so a file that includes two leaf bases gets one
clash (X4). The include lines of the other files point at leaf bases (includes of missing files
stay). All of it draws on a random stream of its own.

With --single-includes every ODF file includes exactly one other file, drawn at random on a stream
of its own, in place of its include lines: chains of about 70 includes that end in circles.
"""

import argparse
import os
import random
import sys
import time

DECLARATION_COUNT = 1500
ODF_COUNT = 5000
SOD_COUNT = 3000
TREE_ENTRIES = 2000
LINES_PER_ODF = 200
FAULT_SHARE = 0.01
PRODUCT_VERSION = "1.1"

# Share of each type word among the declarations (weights, not percentages).
TYPE_WEIGHTS = {
    "real": 24, "int": 20, "string": 15, "bool": 10, "odf": 8, "odfn": 5,
    "sod": 5, "sodn": 4, "arraystring": 5, "strange": 4,
}
FAMILY_SHARE = 0.1
# Type words whose values the checker does not look at.
UNCHECKED = ("arraystring", "strange")

PREFIXES = ("", "ai", "alt", "anim", "base", "build", "cargo", "crew", "damage", "death", "deploy",
            "dock", "engine", "eject", "fire", "flash", "hover", "hit", "idle", "launch", "light",
            "max", "min", "muzzle", "pilot", "power", "radar", "reload", "repair", "salvo", "scrap",
            "shield", "shot", "smoke", "spawn", "splash", "team", "thrust", "turret", "wing")
MIDDLES = ("Ammo", "Angle", "Arc", "Armor", "Bay", "Blast", "Charge", "Cloak", "Cost", "Decay",
           "Delay", "Drift", "Effect", "Field", "Flare", "Fuel", "Gain", "Gear", "Heat", "Health",
           "Impact", "Jet", "Lock", "Mass", "Mode", "Orbit", "Pitch", "Pulse", "Range", "Rate",
           "Recoil", "Roll", "Scan", "Sensor", "Spin", "Spread", "Surge", "Track", "Veloc", "Yaw")
SUFFIXES = ("", "Base", "Bonus", "Cap", "Class", "Count", "Factor", "Group", "Hard", "Level",
            "Limit", "Max", "Min", "Mesh", "Name", "Offset", "Point", "Scale", "Sound", "Time")
WORDS = ("alpha", "bravo", "dusk", "ember", "falcon", "granite", "harbor", "ion", "jade", "kestrel",
         "lumen", "mantis", "nova", "onyx", "pike", "quartz", "raven", "sable", "talon", "vortex")


def make_declarations(rng):
    """Return [(key, type word)] with unique keys (ignoring case); families end in "?"."""
    types = list(TYPE_WEIGHTS)
    weights = [TYPE_WEIGHTS[t] for t in types]
    seen = set()
    decls = []
    while len(decls) < DECLARATION_COUNT:
        prefix = rng.choice(PREFIXES)
        middle = rng.choice(MIDDLES)
        name = (prefix + middle if prefix else middle[0].lower() + middle[1:]) + rng.choice(SUFFIXES)
        if rng.random() < FAMILY_SHARE:
            name += "?"
        if name.lower() in seen:
            continue
        seen.add(name.lower())
        decls.append((name, rng.choices(types, weights)[0]))
    return decls


def odf_name(i):
    return "o%05d" % i


def sod_name(i):
    return "m%04d" % i


class ValueMaker:
    """Builds valid values for each type word, and broken ones for the fault lines."""

    def __init__(self, rng, builtins):
        self.rng = rng
        self.builtins = builtins

    def valid(self, type_word):
        r = self.rng
        if type_word == "real":
            text = "%.2f" % (r.random() * 500)
            return text + "f" if r.random() < 0.3 else text
        if type_word == "int":
            n = r.randrange(0, 100000)
            return "0x%X" % n if r.random() < 0.05 else str(n)
        if type_word == "string":
            return '"%s %s"' % (r.choice(WORDS), r.choice(WORDS))
        if type_word == "bool":
            return r.choice("01")
        if type_word == "odf":
            if r.random() < 0.05:
                return self.builtins[r.randrange(len(self.builtins))][:-4]
            return odf_name(r.randrange(ODF_COUNT))
        if type_word == "odfn":
            return odf_name(r.randrange(ODF_COUNT)) + ".odf"
        if type_word == "sod":
            return sod_name(r.randrange(SOD_COUNT))
        if type_word == "sodn":
            return '"none"' if r.random() < 0.05 else sod_name(r.randrange(SOD_COUNT)) + ".sod"
        if type_word == "arraystring":
            return '"%s" "%s"' % (r.choice(WORDS), r.choice(WORDS))
        return "%d %d %d" % (r.randrange(256), r.randrange(256), r.randrange(256))

    def broken(self, type_word):
        """A value that the checker rejects for this type (not one of UNCHECKED)."""
        r = self.rng
        if type_word == "real":
            return r.choice(("1e3", ".5", "fast", "1.5F"))
        if type_word == "int":
            return r.choice(("12x", "1.0", "lots", "99999999999"))
        if type_word == "string":
            return r.choice((r.choice(WORDS), '"' + r.choice(WORDS)))
        if type_word == "bool":
            return r.choice(("yes", "2", "true"))
        if type_word == "odf":
            return "gone%03d" % r.randrange(1000)
        if type_word == "odfn":
            return "gone%03d.odf" % r.randrange(1000)
        if type_word == "sod":
            return "lost%03d" % r.randrange(1000)
        return "lost%03d.sod" % r.randrange(1000)


def instance_name(key, rng):
    """A concrete property name for a declaration key; families get one or two digits."""
    if key.endswith("?"):
        return key[:-1] + str(rng.randrange(1, 100))
    return key


def make_odf(index, decls, declared, values, rng):
    """Return (lines, number of faults put in) for one ODF file; each fault yields one message."""
    r = rng
    lines = ["// Generated object %s" % odf_name(index)]
    faults = 0
    for _ in range(r.randrange(3)):
        target = odf_name(r.randrange(ODF_COUNT))
        if r.random() < FAULT_SHARE * 3:
            faults += 1
            target = "gone%03d" % r.randrange(1000)
        lines.append('#include "%s.odf"' % target)
    used = []  # (name, type word) of the property lines so far
    for key, type_word in r.sample(decls, LINES_PER_ODF - len(lines) - 8):
        roll = r.random()
        if roll < 0.04:
            lines.append("// %s %s" % (r.choice(WORDS), r.choice(WORDS)))
        elif roll < 0.05:
            lines.append("")
        name = instance_name(key, r)
        value = values.valid(type_word)
        if r.random() < FAULT_SHARE:
            faults += 1
            kind = r.randrange(5)
            if (type_word in UNCHECKED and kind >= 3) or (kind == 1 and not used):
                kind = 0
            # Without blanks the split eats one character on each side of "="; keep the line an
            # unknown command, never a declared name with an empty value.
            if kind == 2 and (key.endswith("?") or name[:-1].lower() in declared):
                kind = 0
            if kind == 0:
                name = "unknown" + name[0].upper() + name[1:]
            elif kind == 1:
                name, type_word = r.choice(used)
                name = name.upper()
                value = values.valid(type_word)
            elif kind == 2:
                lines.append("%s=%s" % (name, value))
                continue
            elif kind == 3:
                value += " " + r.choice(WORDS)
            else:
                value = values.broken(type_word)
        elif r.random() < 0.05:
            value += " // " + r.choice(WORDS)
        used.append((name, type_word))
        lines.append("%s = %s" % (name, value))
    return lines, faults


def make_tree(rng, builtins):
    """Return (lines, number of faults put in) for the tech tree."""
    r = rng
    objects = r.sample(range(ODF_COUNT), TREE_ENTRIES)
    lines = []
    faults = 0
    for i, obj in enumerate(objects):
        reqs = [odf_name(q) + ".odf" for q in r.sample(objects[:max(i, 1)], min(i, r.randrange(4)))]
        if r.random() < 0.02:
            reqs.append(r.choice(builtins))
        count = len(reqs)
        if r.random() < FAULT_SHARE:
            faults += 1
            kind = r.randrange(5)
            if kind == 0:
                lines.append("// requirements of %s" % odf_name(obj))
            elif kind == 1:
                count += 1
            elif kind == 2:
                reqs.append("gone%03d.odf" % r.randrange(1000))
                count += 1
            elif kind == 3:
                reqs.append("longername%02d.odf" % r.randrange(100))
                count += 1
            else:
                count = r.choice(WORDS)
        sep = ", " if r.random() < 0.1 else " "
        lines.append(sep.join([odf_name(obj) + ".odf", str(count)] + reqs))
    return lines, faults


def add_circles(lines, count, rng):
    """Close `count` circles and repeat `count` objects in tree.tt, in place."""
    entries = {}
    for i, line in enumerate(lines):
        tokens = [t for t in line.replace(",", " ").split(" ") if t]
        if len(tokens) >= 3 and tokens[1].isdigit() and int(tokens[1]) == len(tokens) - 2:
            entries[tokens[0].lower()] = i
    with_requirements = sorted(entries.values())
    for _ in range(count):
        i = rng.choice(with_requirements)
        tokens = [t for t in lines[i].replace(",", " ").split(" ") if t]
        j = entries.get(tokens[2].lower())
        if j is None:
            continue
        required = [t for t in lines[j].replace(",", " ").split(" ") if t]
        required[1] = str(int(required[1]) + 1)
        lines[j] = " ".join(required + [tokens[0]])
    for _ in range(count):
        lines.append(lines[rng.choice(with_requirements)].split(" ")[0].rstrip(",") + " 0")


class BaseLayers:
    """The base files and include lines of --bases."""

    SLICE = 12  # properties each base file sets; the slices of different bases do not overlap

    def __init__(self, count, seed, decls, builtins):
        if count * self.SLICE >= len(decls):
            raise SystemExit("--bases: at most %d" % ((len(decls) - 1) // self.SLICE))
        self.rng = random.Random("bases %d" % seed)
        self.values = ValueMaker(self.rng, builtins)
        self.decls = decls
        roots = max(count // 10, 1)
        middles = max(count * 3 // 10, 1)
        self.layers = (range(0, roots), range(roots, roots + middles), range(roots + middles, count))
        self.count = count
        # Every leaf base sets this one property too, each to a value of its own.
        self.shared = next(key for key, word in decls[count * self.SLICE:] if word == "int" and "?" not in key)

    def targets(self, index):
        """The files the includes of file `index` may name; None for a root."""
        if index >= self.count:
            return self.layers[2] or self.layers[1]
        for depth, layer in enumerate(self.layers):
            if index in layer:
                return self.layers[depth - 1] if depth > 0 else None
        return None

    def base_file(self, index):
        """The lines of base file `index`: its includes, its slice of properties, the shared one."""
        r = self.rng
        lines = ["// Generated base %s" % odf_name(index)]
        targets = self.targets(index)
        if targets:
            lines += ['#include "%s.odf"' % odf_name(r.choice(targets)) for _ in range(r.randrange(1, 3))]
        for key, type_word in self.decls[index * self.SLICE:(index + 1) * self.SLICE]:
            lines.append("%s = %s" % (instance_name(key, r), self.values.valid(type_word)))
        if index in self.layers[2]:
            lines.append("%s = %d" % (self.shared, index))
        return lines

    def relink(self, lines):
        """The lines of a mod file with each include of another mod file pointed at a leaf base."""
        targets = self.targets(self.count)
        return ['#include "%s.odf"' % odf_name(self.rng.choice(targets)) if line.startswith('#include "o')
                else line for line in lines]


def single_include(lines, index, rng):
    """The lines of file `index` with its include lines replaced by one of another file; the number
    of include faults taken out with them."""
    target = rng.randrange(ODF_COUNT - 1)
    target += target >= index
    kept = [line for line in lines if not line.startswith("#include ")]
    dropped = sum(1 for line in lines if line.startswith('#include "gone'))
    return kept[:1] + ['#include "%s.odf"' % odf_name(target)] + kept[1:], dropped


def make_proplib(decls):
    """A few object kinds, each listing a slice of the declared properties."""
    lines = []
    kinds = (("craft", "Combat Vehicle"), ("building", "Building"), ("weapon", "Weapon"),
             ("ordnance", "Ordnance"), ("powerup", "Power-up"))
    per_kind = 60
    for k, (section, friendly) in enumerate(kinds):
        lines.append("[%s]" % section)
        lines.append("friendly=%s" % friendly)
        for key, _ in decls[k * per_kind:(k + 1) * per_kind]:
            lines.append("%s=" % (key[:-1] + "1" if key.endswith("?") else key))
    return lines


def write_lines(path, lines):
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


def main(argv=None):
    parser = argparse.ArgumentParser(description="Generate a synthetic mod for benchmarks.")
    parser.add_argument("outdir", help="directory to fill (created if missing)")
    parser.add_argument("--seed", type=int, default=1, help="random seed (default 1)")
    parser.add_argument("--circles", type=int, default=0,
                        help="circles and repeated objects to put in tree.tt (default 0)")
    parser.add_argument("--bases", type=int, default=0,
                        help="base files the include lines are layered over (default 0: random)")
    parser.add_argument("--single-includes", action="store_true",
                        help="every ODF file includes exactly one other file at random")
    args = parser.parse_args(argv)
    if args.bases and args.single_includes:
        parser.error("--bases and --single-includes exclude each other")

    started = time.monotonic()
    rng = random.Random(args.seed)
    out = os.path.abspath(args.outdir)
    app, addon, sod = (os.path.join(out, d) for d in ("app", "addon", "sod"))
    for d in (app, addon, sod):
        os.makedirs(d, exist_ok=True)

    decls = make_declarations(rng)
    builtins = ["core%02d.odf" % i for i in range(40)]
    write_lines(os.path.join(app, "declarations.txt"), ["%s=%s" % d for d in decls])
    write_lines(os.path.join(app, "ignorefiles.txt"), builtins)
    write_lines(os.path.join(app, "proplib.txt"), make_proplib(decls))
    write_lines(os.path.join(app, "prefs.ini"), [
        "[Application]", "Version=" + PRODUCT_VERSION,
        "[Dirs]", "Addon=" + addon, "Sod=" + sod,
    ])

    for i in range(SOD_COUNT):
        open(os.path.join(sod, sod_name(i) + ".sod"), "wb").close()

    values = ValueMaker(rng, builtins)
    declared = {key.lower() for key, _ in decls}
    bases = BaseLayers(args.bases, args.seed, decls, builtins) if args.bases else None
    singles = random.Random("single includes %d" % args.seed) if args.single_includes else None
    odf_faults = 0
    odf_lines = 0
    for i in range(ODF_COUNT):
        lines, faults = make_odf(i, decls, declared, values, rng)
        if bases and i < args.bases:
            lines, faults = bases.base_file(i), 0
        elif bases:
            lines = bases.relink(lines)
        elif singles:
            lines, dropped = single_include(lines, i, singles)
            faults -= dropped
        odf_faults += faults
        odf_lines += len(lines)
        write_lines(os.path.join(addon, odf_name(i) + ".odf"), lines)

    tree, tree_faults = make_tree(rng, builtins)
    if args.circles:
        add_circles(tree, args.circles, random.Random("circles %d" % args.seed))
    write_lines(os.path.join(addon, "tree.tt"), tree)

    print("%s: %d declarations, %d ODF files (%d lines, %d faulty), %d SOD files, "
          "tree.tt with %d entries (%d faulty), %.1f s"
          % (out, len(decls), ODF_COUNT, odf_lines, odf_faults, SOD_COUNT, TREE_ENTRIES,
             tree_faults, time.monotonic() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())
