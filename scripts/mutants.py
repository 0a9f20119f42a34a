#!/usr/bin/env python3
"""Mutation testing: how many small faults does the test suite catch?

Copies the tree at a commit into /work/mutants-tmp/<commit>-<scope>, builds it once
(Debug, tests on, no sanitizers, ccache), then draws mutants from a seeded
shuffle of every candidate change in the .cpp files of one scope: one operator
or literal changed, or one call statement removed, on one line. Each mutant is
applied, the tree rebuilt incrementally and every ctest test run, those that
execute the mutated line first (a coverage map from a --coverage build), until
one fails. A mutant survives only when the whole suite passes. See TESTING.md.
"""
import argparse, concurrent.futures, csv, fcntl, fnmatch, json, math, os, random, re, shutil, signal, subprocess, sys, time

PROGRAM_DIRS = ["app", "util", "settings", "runes", "editor", "gfx"]
KEYWORDS = {"return", "if", "else", "while", "for", "switch", "case", "do", "delete", "throw",
            "goto", "new", "sizeof", "co_return", "default", "using", "typedef"}

# ---------------------------------------------------------------- mutants ----

def code_mask(lines):
    """Each line with comments and string/char literals blanked to spaces."""
    out, in_block = [], False
    for line in lines:
        s, i, n = list(line), 0, len(line)
        while i < n:
            if in_block:
                end = line.find("*/", i)
                stop = n if end < 0 else end + 2
                s[i:stop] = " " * (stop - i)
                in_block, i = end < 0, stop
            elif line.startswith("//", i):
                s[i:] = " " * (n - i)
                break
            elif line.startswith("/*", i):
                in_block = True
            elif line[i] in "\"'" and not (line[i] == "'" and i and line[i - 1].isalnum()):
                j = i + 1
                while j < n and line[j] != line[i]:
                    j += 2 if line[j] == "\\" else 1
                s[i:j + 1] = " " * (min(j + 1, n) - i)
                i = j + 1
            else:
                i += 1
        out.append("".join(s))
    return out


# Spellings a mutant may replace, by kind; the regex finds them in masked code.
SWAPS = {"==": "!=", "!=": "==", "<=": "<", ">=": ">", "<": "<=", ">": ">=",
         "+=": "-=", "-=": "+=", "*=": "/=", "/=": "*=", "+": "-", "-": "+", "*": "/", "/": "*",
         "&&": "||", "||": "&&", "++": "--", "--": "++",
         "true": "false", "false": "true", "TRUE": "FALSE", "FALSE": "TRUE"}
KIND = {"==": "rel", "!=": "rel", "<=": "rel", ">=": "rel", "<": "rel", ">": "rel",
        "&&": "logic", "||": "logic", "++": "incdec", "--": "incdec"}
TOKEN = re.compile(r"<<=?|>>=?|->\*?|<=>|::|[=!<>]=|&&|\|\||\+\+|--|[-+*/]=|[-+*/<>]"
                   r"|\b(?:true|false|TRUE|FALSE)\b|\b(?:0[xX][0-9a-fA-F]+|\d+)[uUlL]*\b(?![.\w])")
TYPE_RUN = re.compile(r"\s*[\w:\s,*&]*(?:<[\w:\s,*&]*>[\w:\s,*&]*)*>")
DECL = re.compile(r"^\s*(?:(?:[A-Za-z_][\w:]*(?:<[^;()=]*>)?)[\s*&]+)+[*&]*~?(?:operator\W+|[A-Za-z_][\w:]*)\s*\(")
DECL_VAR = re.compile(r"^\s*[A-Za-z_][\w:]*(?:<[\w:\s,*&]*>)?[\s*&]+[*&]*[A-Za-z_][^=();]*;\s*$")
CALL = re.compile(r"^\s*[A-Za-z_][\w:]*(?:(?:\.|->)[A-Za-z_]\w*|\[[^\]]*\])*\s*\((.*)\)\s*;\s*$")


def template_brackets(code):
    """Columns of '<' '>' that open and close template argument lists."""
    cols = set()
    for m in re.finditer(r"(\w)\s*<(?![<=])", code):
        t = TYPE_RUN.match(code, m.end())
        if t and not re.search(r"&&|\|\|", t.group()):
            cols.update({m.end() - 1, t.end() - 1})
    return cols


def binary_ok(code, start, end):
    """Whether + - * / at [start, end) stands between two values."""
    before, after = code[:start].rstrip(), code[end:]
    if not before or not re.search(r"[\w)\]]$", before) or re.search(r"\b(return|case|operator)$", before):
        return False
    if re.search(r"\d[eE]$", before):             # 1e-5
        return False
    if code[start] in "*" and (code[start - 1:start].isspace() != code[end:end + 1].isspace()):
        return False                               # char *p, T* p: a declarator
    return bool(re.match(r"\s*[\w(!~-]", after))


def line_mutants(code, text):
    """(column, old, new, kind) for every change one masked line allows."""
    stripped = code.strip()
    if not stripped or stripped.startswith("#") or stripped.startswith("static_assert"):
        return []
    start, keyword = 0, re.match(r"\s*(" + "|".join(KEYWORDS) + r")\b", code)
    if DECL_VAR.match(code) and not keyword:
        return []                                   # declarations only
    if DECL.match(code) and not keyword:
        body = code.find("{")
        if body < 0:
            return []                               # a prototype or a definition's head
        start = body
    brackets = template_brackets(code)
    found = []
    for m in TOKEN.finditer(code, start):
        tok, col = m.group(), m.start()
        if tok[0].isdigit():
            digits = tok.rstrip("uUlL")
            base = 16 if digits[:2].lower() == "0x" else 8 if len(digits) > 1 and digits[0] == "0" else 10
            value = int(digits, base) + 1
            new = {16: "0x" + format(value, "X" if digits[2:].isupper() else "x"), 8: "0" + format(value, "o"), 10: str(value)}[base] + tok[len(digits):]
            found.append((col, tok, new, "literal"))
        elif tok in SWAPS:
            if tok in "<>" and col in brackets:
                continue
            if tok in ("+", "-", "*", "/", "*=") and not binary_ok(code, col, m.end()):
                continue
            if tok == "&&" and code[col - 1:col].isspace() != code[col + 2:col + 3].isspace():
                continue                             # T&& x: a reference
            if tok in ("++", "--") and re.search(r"operator\s*$", code[:col]):
                continue
            kind = KIND.get(tok, "bool" if tok.isalpha() else "arith")
            found.append((col, tok, SWAPS[tok], kind))
    call = CALL.match(code)
    if call and start == 0 and not keyword and call.group(1).count("(") == call.group(1).count(")"):
        found.append((len(code) - len(code.lstrip()), stripped, "{}", "call"))
    return found


def candidates(root, files):
    """Every mutant of the files, in a stable order."""
    out = []
    for rel in files:
        with open(os.path.join(root, rel), encoding="utf-8", errors="surrogateescape", newline="") as f:
            lines = f.read().split("\n")
        masked, cont = code_mask(lines), False
        for no, (code, text) in enumerate(zip(masked, lines), 1):
            macro = cont or code.lstrip().startswith("#")
            cont = macro and text.rstrip().endswith("\\")
            if macro:
                continue
            for col, old, new, kind in line_mutants(code, text):
                old = text[col:col + len(old)]
                mutated = text[:col] + new + text[col + len(old):]
                out.append(dict(file=rel, line=no, kind=kind, old=old, new=new,
                                before=text, after=mutated))
    return out

def replayed(root, files, tsv):
    """The compiled mutants of an earlier run (its --out TSV) found again in this tree:
    the same line text (white space aside), in the same file where it still is, else
    where the line moved; the rest are named as gone."""
    places = {}
    for rel in files:
        with open(os.path.join(root, rel), encoding="utf-8", errors="surrogateescape", newline="") as f:
            for no, text in enumerate(f.read().split("\n"), 1):
                places.setdefault(re.sub(r"\s+", "", text), []).append((rel, no, text))
    found, gone = [], []
    with open(tsv, newline="") as f:
        for row in csv.DictReader(f, delimiter="\t", quoting=csv.QUOTE_NONE):
            if row["fate"] == "did not compile":
                continue
            where = places.get(re.sub(r"\s+", "", row["original"]))
            if not where:
                gone.append(row["id"])
                continue
            rel, no, text = min(where, key=lambda p: (p[0] != row["file"], abs(p[1] - int(row["line"]))))
            indent = text[:len(text) - len(text.lstrip())]
            found.append(dict(file=rel, line=no, kind=row["operator"], old=row["original"], new=row["mutated"],
                              before=text, after=indent + row["mutated"], was=row["id"], was_fate=row["fate"]))
    return found, gone

# ------------------------------------------------------------ build, tests ---

def sh(cmd, **kw):
    return subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **kw)


def configure(src, build, extra=(), link=""):
    if shutil.which("ld.lld"):
        link += " -fuse-ld=lld"                     # links each mutant in a second, not ten
    r = sh(["cmake", "-S", src, "-B", build, "-DCMAKE_BUILD_TYPE=Debug", "-DSTONECALL_TESTS=ON",
            "-DSTONECALL_SANITIZE=OFF", "-DCMAKE_EXPORT_COMPILE_COMMANDS=ON",
            f"-DCMAKE_EXE_LINKER_FLAGS={link.strip()}", *extra])
    if r.returncode:
        sys.exit("configure failed:\n" + r.stdout)


def build(build_dir):
    """Builds everything ctest runs (the default target); True when it compiled."""
    return sh(["cmake", "--build", build_dir, "-j2"]).returncode == 0


def list_tests(build_dir):
    """ctest's tests: name, command, working folder, environment, time limit."""
    out = sh(["ctest", "--test-dir", build_dir, "-N", "--show-only=json-v1"]).stdout
    tests = []
    for t in json.loads(out)["tests"]:
        props = {p["name"]: p["value"] for p in t.get("properties", [])}
        if "command" not in t or props.get("DISABLED"):
            continue
        env = dict(os.environ, **dict(e.split("=", 1) for e in props.get("ENVIRONMENT", [])))
        tests.append(dict(name=t["name"], cmd=t["command"], cwd=props.get("WORKING_DIRECTORY", build_dir),
                          env=env, limit=float(props.get("TIMEOUT", 1500)), will_fail=bool(props.get("WILL_FAIL"))))
    return tests


def run_tests(tests, jobs, stop=False, env_for=None, done=None):
    """Runs tests, `jobs` at a time, each in a process group of its own.
    Returns {name: (result, seconds)}, result 'pass', 'fail' or 'timeout';
    with stop, returns at the first test that does not pass."""
    queue, running, results = list(tests), {}, {}
    try:
        while queue or running:
            while queue and len(running) < jobs:
                t = queue.pop(0)
                env = env_for(t) if env_for else t["env"]
                p = subprocess.Popen(t["cmd"], cwd=t["cwd"], env=env, stdin=subprocess.DEVNULL,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
                running[p] = (t, time.monotonic())
            time.sleep(0.01)
            for p, (t, started) in list(running.items()):
                took = time.monotonic() - started
                if p.poll() is None and took <= t.get("kill_after", t["limit"]):
                    continue
                if p.returncode is None:
                    os.killpg(p.pid, signal.SIGKILL)
                    p.wait()
                    result = "timeout"
                else:
                    result = "pass" if (p.returncode == 0) != t["will_fail"] else "fail"
                del running[p]
                results[t["name"]] = (result, took)
                if done:
                    done(t, result)
                if stop and result != "pass":
                    return results
        return results
    finally:
        for p in running:
            os.killpg(p.pid, signal.SIGKILL)
            p.wait()


def object_of(entry):
    """The object file a compile_commands.json entry writes, absolute."""
    args = entry["command"].split()
    return os.path.join(entry["directory"], args[args.index("-o") + 1])


def coverage_map(src, cov_dir, files, broken, jobs):
    """{(file, line): set of test names} for the given files: a build with
    --coverage for those files only, each test run once with a GCOV_PREFIX of
    its own, then gcov's JSON of its counts."""
    wrapper = os.path.join(cov_dir, "cover-cc")
    os.makedirs(cov_dir, exist_ok=True)
    with open(wrapper, "w") as f:   # --coverage for the chosen files only
        f.write("#!/bin/sh\nfor a; do case \"$a\" in\n")
        f.write("".join(f"  {os.path.join(src, rel)}) exec ccache \"$@\" --coverage;;\n" for rel in files))
        f.write("esac; done\nexec ccache \"$@\"\n")
    os.chmod(wrapper, 0o755)
    configure(src, cov_dir, [f"-DCMAKE_CXX_COMPILER_LAUNCHER={wrapper}"], "--coverage")
    if not build(cov_dir):
        sys.exit("the coverage build failed")
    tests = [t for t in list_tests(cov_dir) if t["name"] not in broken]
    entries = json.load(open(os.path.join(cov_dir, "compile_commands.json")))
    objects = {os.path.relpath(e["file"], src): object_of(e) for e in entries}
    objects = {rel: obj for rel, obj in objects.items() if rel in files}
    strip = len(os.path.abspath(cov_dir).strip("/").split("/"))
    data_root = os.path.join(cov_dir, "cover-data")
    covered = {}

    def prefix(t):
        return os.path.join(data_root, re.sub(r"\W", "_", t["name"]))

    def env_for(t):
        return dict(t["env"], GCOV_PREFIX=prefix(t), GCOV_PREFIX_STRIP=str(strip))

    def collect(t):
        gcdas, lines = [], []
        for rel, obj in objects.items():
            gcda = os.path.join(prefix(t), os.path.relpath(obj, cov_dir))[:-2] + ".gcda"
            if os.path.exists(gcda):
                os.symlink(obj[:-2] + ".gcno", gcda[:-5] + ".gcno")
                gcdas.append(gcda)
        out = sh(["gcov", "--json-format", "--stdout", *gcdas], cwd=cov_dir).stdout if gcdas else ""
        decoder, at = json.JSONDecoder(), 0
        while True:
            at = out.find("{", at)
            if at < 0:
                break
            doc, at = decoder.raw_decode(out, at)
            for f in doc.get("files", []):
                # ccache's base_dir makes the path relative to the build folder
                rel = os.path.relpath(os.path.normpath(os.path.join(cov_dir, f["file"])), src)
                if rel in files:
                    lines += [(rel, ln["line_number"]) for ln in f["lines"] if ln["count"]]
        shutil.rmtree(prefix(t), ignore_errors=True)
        return t["name"], lines

    with concurrent.futures.ThreadPoolExecutor(jobs) as pool:   # gcov while the next tests run
        reading = []
        run_tests(tests, jobs, env_for=env_for, done=lambda t, result: reading.append(pool.submit(collect, t)))
        for future in reading:
            name, lines = future.result()
            for line in lines:
                covered.setdefault(line, set()).add(name)
    return covered

# ------------------------------------------------------------------- main ----

def scope_files(src, build_dir, scope):
    """The .cpp files of the scope that this build compiles."""
    entries = json.load(open(os.path.join(build_dir, "compile_commands.json")))
    rels = {os.path.relpath(e["file"], src) for e in entries}
    if scope == "program":
        return sorted(r for r in rels if r.endswith(".cpp") and r.split("/")[0] in PROGRAM_DIRS)
    return sorted(r for r in rels if r.endswith(".cpp") and r.startswith("platform/"))


def apply(src, m, text):
    """Writes the file with the mutant's line (text=None) or restores it."""
    path = os.path.join(src, m["file"])
    with open(path, encoding="utf-8", errors="surrogateescape", newline="") as f:
        lines = f.read().split("\n")
    if text is None:
        assert lines[m["line"] - 1].rstrip("\r") == m["before"].rstrip("\r"), m
        lines[m["line"] - 1] = m["after"]
    else:
        lines[m["line"] - 1] = text
    with open(path, "w", encoding="utf-8", errors="surrogateescape", newline="") as f:
        f.write("\n".join(lines))


def try_mutant(src, dev, m, tests, covered, jobs, flaky):
    """The mutant's fate and the test that decided it."""
    apply(src, m, None)
    try:
        if not build(dev) and not build(dev):      # once more: a build can fail under load
            return "did not compile", ""
        first = covered.get((m["file"], m["line"]), set())
        # Tests that run the line first, quickest first; then the rest longest
        # first, so that a mutant that survives waits least for the slow ones.
        order = sorted((t for t in tests if t["name"] in first), key=lambda t: t["clean"]) \
            + sorted((t for t in tests if t["name"] not in first), key=lambda t: -t["clean"])
        while order:
            results = run_tests(order, jobs, stop=True)
            bad = [n for n, (r, _) in results.items() if r != "pass"]
            if not bad:
                return "survived", ""
            t = next(t for t in order if t["name"] == bad[0])
            if results[t["name"]][0] == "timeout":
                return f"timeout in {t['name']}", t["name"]
            if run_tests([t], 1)[t["name"]][0] != "pass":
                return f"killed by {t['name']}", t["name"]
            flaky.setdefault(t["name"], []).append(m["id"])   # failed once, passed again: go on
            order = [u for u in order if u["name"] not in results]
        return "survived", ""
    finally:
        apply(src, m, m["before"])


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--commit", default="HEAD", help="the tree to mutate (default HEAD)")
    ap.add_argument("--seed", type=int, default=1, help="seed of the sample (default 1)")
    ap.add_argument("--count", type=int, default=120, help="mutants that compile to try (default 120)")
    ap.add_argument("--scope", choices=["program", "platform"], default="program",
                    help="the program's folders (app util settings runes editor gfx) or platform/")
    ap.add_argument("--files", nargs="+", metavar="GLOB", help="only files matching one of these")
    ap.add_argument("--out", help="also write a TSV of every mutant here")
    ap.add_argument("--jobs", type=int, default=2, help="tests run side by side (default 2)")
    ap.add_argument("--tmp", default="/work/mutants-tmp", help="where the copy is built")
    ap.add_argument("--replay", metavar="TSV", help="first the mutants of an earlier run's --out, where their "
                    "lines are still found, then the seeded sample")
    args = ap.parse_args()
    started = time.monotonic()
    log = lambda *a: print(*a, flush=True)

    rev = sh(["git", "rev-parse", "--verify", args.commit + "^{commit}"]).stdout.strip()
    if not re.fullmatch(r"[0-9a-f]{40}", rev):
        sys.exit(f"no commit {args.commit}")
    work = os.path.join(os.path.abspath(args.tmp), f"{rev[:10]}-{args.scope}")
    os.makedirs(work, exist_ok=True)
    lock = open(os.path.join(work, "lock"), "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except OSError:
        sys.exit(f"another run is using {work}")
    src = os.path.join(work, "src")       # builds inside, as in a checkout: ccache's base_dir then shares
    shutil.rmtree(src, ignore_errors=True)
    os.makedirs(src)
    subprocess.run(f"git archive {rev} | tar -x -m -C {src}", shell=True, check=True)
    dev, cov = os.path.join(src, "build-dev"), os.path.join(src, "build-cov")
    configure(src, dev, ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"])
    if not build(dev):
        sys.exit(f"{rev[:10]} does not build")
    log(f"commit {rev[:10]}, scope {args.scope}, seed {args.seed}: built in {time.monotonic() - started:.0f} s")

    files = scope_files(src, dev, args.scope)
    if args.files:
        files = [f for f in files if any(fnmatch.fnmatch(f, g) for g in args.files)]
    cands = candidates(src, files)
    random.Random(args.seed).shuffle(cands)
    log(f"{len(cands)} candidate mutants in {len(files)} files")
    if args.replay:
        again, gone = replayed(src, files, args.replay)
        taken = {(m["file"], m["line"]) for m in again}
        cands = again + [m for m in cands if (m["file"], m["line"]) not in taken]
        log(f"replaying {len(again)} mutants of {args.replay}; their lines gone: {' '.join(gone) or 'none'}")

    tests = list_tests(dev)
    t0 = time.monotonic()
    clean = run_tests(tests, args.jobs)
    broken = sorted(n for n, (r, _) in clean.items() if r != "pass")
    tests = [t for t in tests if t["name"] not in broken]
    for t in tests:
        t["clean"] = clean[t["name"]][1]
        t["kill_after"] = max(10.0, 5 * t["clean"])
    log(f"{len(tests)} tests pass on the clean build in {time.monotonic() - t0:.0f} s"
        + (f"; left out, failing already: {' '.join(broken)}" if broken else ""))

    t0 = time.monotonic()
    cov_files = sorted({m["file"] for m in cands[:math.ceil(args.count * 1.5) + 10]})
    covered = coverage_map(src, cov, cov_files, broken, args.jobs)
    log(f"coverage of {len(cov_files)} files ({len(covered)} lines run) by each test in {time.monotonic() - t0:.0f} s")

    results, flaky, compiled = [], {}, 0
    for m in cands:
        if compiled >= args.count:
            break
        m["id"] = f"M{len(results) + 1:03d}"
        t0 = time.monotonic()
        m["fate"], m["killer"] = try_mutant(src, dev, m, tests, covered, args.jobs, flaky)
        compiled += m["fate"] != "did not compile"
        results.append(m)
        change = "call removed" if m["kind"] == "call" else f"{m['old']} -> {m['new']}"
        if "was" in m:
            change = f"{m['was']} again, {m['was_fate']} then: {m['after'].strip()[:60]}"
        log(f"{m['id']} {m['file']}:{m['line']} [{change}] {m['before'].strip()[:70]}"
            f"  => {m['fate']} ({time.monotonic() - t0:.0f} s)")

    killed = sum(m["fate"].startswith(("killed", "timeout")) for m in results)
    survived = [m["id"] for m in results if m["fate"] == "survived"]
    log(f"score: {killed} killed / {compiled} compiled = {100 * killed / max(compiled, 1):.1f} %; "
        f"{len(survived)} survived ({' '.join(survived)}); {len(results) - compiled} did not compile; "
        f"{(time.monotonic() - started) / 60:.0f} min")
    lost = [f"{m['id']} ({m['was']})" for m in results
            if m.get("was_fate") in ("killed", "timeout") and m["fate"] in ("survived", "did not compile")]
    if args.replay:
        log(f"killed before, not now: {' '.join(lost) or 'none'}")
    for name, ids in sorted(flaky.items()):
        log(f"flaky: {name} failed once and passed when run again, under {' '.join(ids)}")
    if args.out:
        with open(args.out, "w") as f:
            f.write("id\tfile\tline\toperator\toriginal\tmutated\tfate\tkiller\n")
            for m in results:
                row = [m["id"], m["file"], str(m["line"]), m["kind"], m["before"].strip(), m["after"].strip(),
                       m["fate"].split(" ")[0] if m["killer"] else m["fate"], m["killer"]]
                f.write("\t".join(c.replace("\t", " ") for c in row) + "\n")


if __name__ == "__main__":
    main()
