"""Runs a script headless with --results against the simulator and validates every line of the
record it writes against docs/results.schema.json: a run line, a case line per test case of every
verdict, a summary line whose counts are the cases' own. A line the schema would not know is
refused too, so the schema cannot drift from the writer unnoticed."""
import copy
import hashlib
import json
import os
import subprocess
import sys
import tempfile

import jsonschema

nordteller, schema_path = sys.argv[1], sys.argv[2]


def check(condition, what):
    if not condition:
        print("FAILED:", what)
        sys.exit(1)


with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)

with tempfile.TemporaryDirectory() as folder:
    script = ("Run,Amount,Tip,Ref,Auth,Type,Options,Lang,Info,Expected\r\n"
              "Run,10,,R,A,Sale,0,0,caf\xe9 approved,Approved\r\n"
              "Run,5.51,,R,A,Sale,0,0,expects approval,Approved\r\n"
              "Run,10000000,,R,A,Sale,0,0,refused amount\r\n"
              "Run,5,,R,A,Sale,0,0,skipped\r\n"
              "Run,5,,R,A,Sale,0,0,stopped here\r\n"
              "Run,5,,R,A,Sale,0,1,never reached\r\n")
    with open(os.path.join(folder, "Script.csv"), "wb") as f:
        f.write(script.encode("cp1252"))
    with open(os.path.join(folder, "answers.scenario"), "w") as f:
        f.write("answer do\nanswer do\nanswer skip\nanswer stop\n")
    run = subprocess.run([nordteller, "--headless", "--scenario", "answers.scenario",
                          "--run-script", "--results", "run.jsonl", "--junit", "junit.xml"],
                         cwd=folder, capture_output=True)
    check(run.returncode == 1, "exit status 1 for the failed rows, got %d: %s"
          % (run.returncode, run.stderr))
    with open(os.path.join(folder, "run.jsonl"), "rb") as f:
        raw = f.read()
    real_folder = os.path.realpath(folder)

check(raw.endswith(b"\n"), "every line ends in LF")
lines = [json.loads(line) for line in raw.decode("utf-8").split("\n")[:-1]]
for number, line in enumerate(lines, 1):
    errors = sorted(validator.iter_errors(line), key=str)
    check(not errors, "line %d: %s" % (number, "; ".join(e.message for e in errors[:3])))

records = [line["record"] for line in lines]
check(records == ["run"] + ["case"] * 6 + ["summary"], "line types in order: " + str(records))
first, cases, summary = lines[0], lines[1:-1], lines[-1]
check(first["format"] == "nordteller-results" and first["version"] == 1, "format and version")
check(first["payment_client"] == "sim", "the payment client")
check(os.path.realpath(first["working_folder"]) == real_folder, "the working folder")
check(first["options"]["reports"] == [{"format": "results", "path": "run.jsonl"},
                                      {"format": "junit", "path": "junit.xml"}],
      "the reports asked for: " + str(first["options"]))

verdicts = [c["verdict"] for c in cases]
check(verdicts == ["passed", "failed", "failed", "skipped", "skipped", "not_reached"],
      "verdicts: " + str(verdicts))
check(cases[0]["name"] == "caf\xe9 approved", "Test Case Info in UTF-8: " + cases[0]["name"])
check(cases[1]["actual_status"] == "Declined" and cases[1]["expected_status"] == "Approved",
      "expected and actual CmdStatus")
check(cases[2]["reasons"][0].startswith("failed before running: column 2 (Amount)"),
      "a refused amount fails before running: " + str(cases[2]["reasons"]))
check(cases[5]["reasons"] == ["not reached: the script was stopped before it"],
      "the unreached row says so")
emv = {field["name"]: field for field in cases[0]["responses"][0]["emv"]}
check(emv["TVR"]["decoded"] and emv["TVR"]["meanings"], "the TVR decoded: " + str(emv))
receipt = cases[0]["receipts"][0]
check("PURCHASE" in receipt["cardholder_copy"] and "\r" not in receipt["merchant_copy"],
      "receipt copies as rendered, LF line ends")
for name in ("passed", "failed", "skipped", "not_reached"):
    check(summary[name] == verdicts.count(name), "summary counts %s" % name)
check(summary["test_cases"] == 6 and summary["stopped"] and not summary["interrupted"],
      "summary: " + str(summary))

# The schema refuses what the writer must not write: it is no blanket "any object".
for broken in ({"drop": "verdict"}, {"set": ("verdict", "unknown")}, {"set": ("extra", 1)}):
    line = copy.deepcopy(cases[0])
    if "drop" in broken:
        del line[broken["drop"]]
    else:
        line[broken["set"][0]] = broken["set"][1]
    check(not validator.is_valid(line), "the schema refuses a case line with " + str(broken))
check(not validator.is_valid(dict(first, version=2)), "the schema refuses another version")
check(first["script_sha256"] == hashlib.sha256(script.encode("cp1252")).hexdigest()
      and first["script_bytes"] == len(script.encode("cp1252")),
      "the run line names the script by its SHA-256 and size: " + str(first))


def validate(path):
    with open(path, "rb") as f:
        text = f.read().decode("utf-8")
    parsed = [json.loads(line) for line in text.split("\n")[:-1]]
    for number, line in enumerate(parsed, 1):
        errors = sorted(validator.iter_errors(line), key=str)
        check(not errors, "%s line %d: %s" % (path, number, "; ".join(e.message for e in errors[:3])))
    return parsed


# The records of a run cut in three shards, and the record --merge makes of them.
with tempfile.TemporaryDirectory() as folder:
    sale = "Run,10,,1001,Skip,Sale,0,0,sale %d,Approved\r\nRun,10,,Skip,Skip,VoidSale,0,0,void %d,Approved\r\n"
    script = "Run,Amount,Tip,Ref,Auth,Type,Options,Lang,Info,Expected\r\n" + "".join(
        sale % (i, i) for i in range(3))
    records = []
    for k in (1, 2, 3):
        shard_folder = os.path.join(folder, "shard%d" % k)
        os.mkdir(shard_folder)
        with open(os.path.join(shard_folder, "Script.csv"), "wb") as f:
            f.write(script.encode("cp1252"))
        record = os.path.join(folder, "shard%d.jsonl" % k)
        run = subprocess.run([nordteller, "--headless", "--run-script", "--shard", "%d/3" % k,
                              "--results", record], cwd=shard_folder, capture_output=True)
        check(run.returncode == 1, "each shard has a void whose sale ran elsewhere: %d %s"
              % (run.returncode, run.stderr))
        records.append(record)
    shard = validate(records[1])
    check(shard[0]["shard"] == "2/3", "the shard's run line names it")
    check([c["index"] for c in shard[1:-1]] == [2, 5] and all(c["shard"] == "2/3" for c in shard[1:-1]),
          "a shard's cases keep the script's indexes and name the shard")
    check(shard[1]["verdict"] == "failed"
          and shard[1]["reasons"] == ["failed before running: its original (line 2) ran in another shard"],
          "the void whose sale ran in another shard: " + str(shard[1]["reasons"]))
    merge = subprocess.run([nordteller, "--merge"] + records + ["--results", "all.jsonl"],
                           cwd=folder, capture_output=True)
    check(merge.returncode == 0, "merged: %s" % merge.stderr)
    merged = validate(os.path.join(folder, "all.jsonl"))
    check([c["line"] for c in merged[1:-1]] == [2, 3, 4, 5, 6, 7], "the script's order")
    check([m["shard"] for m in merged[0]["merged"]] == ["1/3", "2/3", "3/3"]
          and merged[0]["working_folder"] is None and "shard" not in merged[0],
          "the merged run line: " + str(merged[0]))
    check(merged[-1]["test_cases"] == 6 and merged[-1]["failed"] == 3, "the merged summary")
print("ok")
