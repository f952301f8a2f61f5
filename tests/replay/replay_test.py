#!/usr/bin/env python3
"""The windows against the batch tool: random batch documents (fixed seed) and
the worked example's road, replayed by lingchuan-replay through the windows,
must give the very document lingchuan-calc run gives, apart from the "via"
marks of the actions no window offers a gesture for.

usage: replay_test.py LINGCHUAN_REPLAY LINGCHUAN_CALC [COUNT]
"""
import json
import os
import random
import subprocess
import sys
import tempfile
import time

REPLAY, CALC = sys.argv[1], sys.argv[2]
COUNT = int(sys.argv[3]) if len(sys.argv) > 3 else 300
SEED = 20261207


def calc(doc):
    run = subprocess.run([CALC, "run"], input=json.dumps(doc, ensure_ascii=False).encode(),
                         capture_output=True, check=False)
    if run.returncode != 0:
        sys.exit(f"lingchuan-calc refused a document: {run.stderr.decode()}\n{json.dumps(doc, ensure_ascii=False)}")
    return json.loads(run.stdout)


# The controls of every sheet, as the batch tool names them in its output.
BLANK = calc({"sheets": {"A2": {}, "B1": {}, "C": {}, "gears": {}}})["sheets"]
FIELDS = {s: [k for k in BLANK[s] if k.startswith("Text")] for s in BLANK}
CHECKS = {s: [k for k in BLANK[s] if k.startswith("Check")] for s in BLANK}

# The batch tool's actions (lingchuan-calc --help), typing and ticking apart.
ACTIONS = ["A1", "B1", "C", "Gljs",
           "A2.Command1", "A2.Command2", "A2.Command3", "A2.Label1", "A2.Option1", "A2.Option2",
           "B1.Command1", "B1.Command3", "C.Command1", "C.Command3", "gears.Command1", "gears.Command2",
           "A2.close", "B1.close", "C.close", "gears.close"] + \
          [f"A2.{f}.Enter" for f in ("Text1", "Text2", "Text3", "Text5", "Text12", "Text17")]

# The worked example's inputs, and texts that spoil them: empty, blanks,
# words, zero, signs, overflow, full-width digits, a decimal comma, a tab
# (which no key types: the batch tool's way).
EXAMPLE = {"A2": {"Text1": "10", "Text2": "41", "Text3": "2", "Text5": "35", "Text12": "0.4", "Text17": "44.45"},
           "B1": {"Text16": "0.9"},
           "C": {"Text52": "25", "Text53": "20", "Text54": "28", "Text55": "22"},
           "gears": {"Text1": "0.5"}}
OTHER = ["13", "40", "3", "30", "0.25", "20", "6.35", "0.95", "1.225", "0.37", "25.4", "-0", " 25.4", "12"]
BAD = ["", " ", "abc", "0", "-1", "1E+39", "1E+308", "wr ", "90", "1.2.3", "三十五", "３５", "1,5", "1e-400",
       "inf", "0x10", "123456789012345678901234567890", "1\t"]
TARGETS = ["0.5", "0.37", "1.225", "2.5", "0.8", "", "x", "0"]
TOLERANCES = ["0.000001", "0.0001", "0", "-1", "y"]


def build(rng):
    """One random document: starting state, then episodes along the road with noise."""
    # Half the documents keep close to the worked example, so that their
    # calculations run to the end; the others spoil freely.
    spoil = rng.choice([0.05, 0.4])

    def value(usual):
        roll = rng.random()
        return usual if roll >= spoil else rng.choice(OTHER) if roll < spoil / 2 else rng.choice(BAD)

    doc = {}
    if rng.random() < 0.3:
        doc["flags"] = {k: rng.random() < 0.5 for k in ("a2Done", "b1Done", "pinionRightHand")}
    if rng.random() < 0.3:
        sheets = {}
        for s in rng.sample(sorted(BLANK), rng.randint(1, 4)):
            given = {f: value(EXAMPLE.get(s, {}).get(f, rng.choice(OTHER)))
                     for f in rng.sample(FIELDS[s], min(len(FIELDS[s]), rng.randint(0, 8)))}
            given.update({c: rng.randint(0, 1) for c in CHECKS[s] if rng.random() < 0.3})
            if s == "A2" and rng.random() < 0.5:
                right = rng.random() < 0.5
                given.update({"Option1": "右" if right else "左", "Option2": "左" if right else "右",
                              "selected": rng.choice(["Option1", "Option2"])})
            if s == "gears" and rng.random() < 0.5:
                given.update({"List1": ["24X24/24X48=0.5"], "Caption": "计算结束，请挑选数据！"})
            sheets[s] = given
        doc["sheets"] = sheets

    def typing(sheet, field, usual):
        return f"{sheet}.{field}={value(usual)}"

    def a2():
        acts = ["A1"] if rng.random() < 0.8 else []
        for f, v in EXAMPLE["A2"].items():
            acts.append(typing("A2", f, v))
            if rng.random() < 0.4:
                acts.append(f"A2.{f}.Enter")
        acts += [rng.choice(["A2.Option1", "A2.Option2"]) for _ in range(rng.randint(0, 2))]
        acts += [f"A2.{c}={rng.randint(0, 1)}" for c in CHECKS["A2"] if rng.random() < 0.2]
        acts.append("A2.Command1")
        return acts

    def b1():
        acts = [rng.choice(["A2.Command2", "B1"])]
        acts.append(typing("B1", "Text16", "0.9"))
        if rng.random() < 0.2:
            acts.append(f"B1.Check1={rng.randint(0, 1)}")
        return acts + ["B1.Command1"]

    def c():
        acts = [rng.choice(["B1.Command3", "C"])]
        acts += [typing("C", f, v) for f, v in EXAMPLE["C"].items()]
        for box, field in (("Check2", "Text7"), ("Check3", "Text8")):
            if rng.random() < 0.2:
                acts += [typing("C", field, "40"), f"C.{box}=1"]
        return acts + ["C.Command1"]

    def gears():
        acts = ["Gljs", f"gears.Text1={rng.choice(TARGETS)}"]
        if rng.random() < 0.2:
            acts.append(f"gears.Text2={rng.choice(TOLERANCES)}")
        return acts + ["gears.Command1"]

    def noise():
        roll = rng.random()
        if roll < 0.5:
            return [rng.choice(ACTIONS)]
        sheet = rng.choice(sorted(BLANK))
        if roll < 0.9 or not CHECKS[sheet]:
            return [f"{sheet}.{rng.choice(FIELDS[sheet])}={value(rng.choice(OTHER))}"]
        return [f"{sheet}.{rng.choice(CHECKS[sheet])}={rng.randint(0, 1)}"]

    episodes = [a2, b1, c, gears]
    if rng.random() < 0.3:
        rng.shuffle(episodes)
    actions = []
    for episode in episodes[:rng.randint(1, 4)]:
        actions += episode()
        for _ in range(rng.randint(0, 3)):
            actions += noise()
    doc["actions"] = actions
    return doc


# The worked example's road through all four windows, every step done.
ROAD = {"actions": [
    "A1", "A2.Text1=10", "A2.Text1.Enter", "A2.Text2=41", "A2.Text2.Enter", "A2.Text3=2", "A2.Text3.Enter",
    "A2.Text5.Enter", "A2.Text12=0.4", "A2.Text12.Enter", "A2.Text17=44.45", "A2.Text17.Enter", "A2.Command1",
    "A2.Command2", "B1.Text16=0.9", "B1.Command1", "B1.Command3",
    "C.Text52=25", "C.Text53=20", "C.Text54=28", "C.Text55=22", "C.Command1",
    "Gljs", "gears.Text1=0.5", "gears.Command1"]}
ROAD_RESULTS = {("A2", "Text42(1)"): "2.785696", ("B1", "Text20"): "0.9174438",
                ("C", "Text15"): "20.5862905814724", ("gears", "List1"): ["24X24/24X48=0.5"]}


def without_via(result):
    for entry in result["log"]:
        entry.pop("via", None)
    return result


def first_difference(a, b, path=""):
    if type(a) is not type(b) or not isinstance(a, (dict, list)):
        return None if a == b else f"{path}: replay {json.dumps(a, ensure_ascii=False)[:200]}, " \
                                   f"calc {json.dumps(b, ensure_ascii=False)[:200]}"
    if isinstance(a, dict) and list(a) != list(b):
        return f"{path}: replay keys {list(a)}, calc keys {list(b)}"
    if isinstance(a, list) and len(a) != len(b):
        return f"{path}: replay {len(a)} items, calc {len(b)}"
    keys = list(a) if isinstance(a, dict) else range(len(a))
    for k in keys:
        d = first_difference(a[k], b[k], f"{path}.{k}" if isinstance(a, dict) else f"{path}[{k}]")
        if d:
            return d
    return None


def main():
    rng = random.Random(SEED)
    docs = [ROAD] + [build(rng) for _ in range(COUNT)]
    with tempfile.TemporaryDirectory(prefix="lc-replay-") as tmp:
        names = []
        for i, doc in enumerate(docs):
            names.append(os.path.join(tmp, f"doc{i:03d}.json"))
            with open(names[-1], "w", encoding="utf-8") as f:
                json.dump(doc, f, ensure_ascii=False)
        start = time.monotonic()
        out = os.path.join(tmp, "replayed")
        run = subprocess.run([REPLAY, "--out", out] + names, capture_output=True, check=False)
        replay_seconds = time.monotonic() - start
        if run.returncode != 0:
            sys.exit(f"lingchuan-replay failed ({run.returncode}): {run.stderr.decode()}")
        expected = [calc(doc) for doc in docs]
        replayed = []
        for name in names:
            with open(os.path.join(out, os.path.basename(name)), encoding="utf-8") as f:
                replayed.append(json.load(f))

    failures = []
    for i, (doc, want, got) in enumerate(zip(docs, expected, replayed)):
        d = first_difference(without_via(json.loads(json.dumps(got))), want)
        if d:
            failures.append(f"document {i}: {d}\n  {json.dumps(doc, ensure_ascii=False)}")
    for (sheet, key), value in ROAD_RESULTS.items():
        if expected[0]["sheets"][sheet][key] != value or replayed[0]["sheets"][sheet][key] != value:
            failures.append(f"the road: {sheet}.{key} is not {value}")
    if any(e["outcome"] != "done" for e in expected[0]["log"]):
        failures.append("the road stopped at a message or a fault")

    # What the documents reached, so that the generator cannot drift into
    # testing little.
    entries = [e for r in replayed for e in r["log"]]
    reached = {
        "sheets": {s for r in expected for s in r["sheets"]},
        "outcomes": {e["outcome"] for e in entries},
        "fault kinds": {e.get("fault") for e in entries} - {None},
        "hands after a calculation": {r["flags"]["pinionRightHand"] for r in expected
                                      if any(e["action"] == "A2.Command1" and e["outcome"] == "done"
                                             for e in r["log"])},
        "focus moves": {e["focus"] for e in entries} - {None},
        "actions by the batch tool's way": {e["action"].split("=")[0] for e in entries if e.get("via") == "core"},
        "actions by gesture": {e["action"] for e in entries if "via" not in e and "=" not in e["action"]},
    }
    for what, seen in reached.items():
        print(f"{what}: {len(seen)}: {sorted(map(str, seen))[:12]}")
    wanted = {"sheets": 4, "outcomes": 3, "fault kinds": 2, "hands after a calculation": 2, "focus moves": 4,
              "actions by the batch tool's way": 3,
              "actions by gesture": len(ACTIONS)}
    for what, least in wanted.items():
        if len(reached[what]) < least:
            failures.append(f"the documents reach {len(reached[what])} {what}, fewer than {least}")

    print(f"{len(docs)} documents, {len(entries)} actions replayed in {replay_seconds:.1f} s")
    if failures:
        print(f"{len(failures)} failures:")
        print("\n".join(failures[:10]))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
