"""Runs a script headless with --results against the simulator and validates every line of the
record it writes against docs/results.schema.json: a run line, a case line per test case of every
verdict, a summary line whose counts are the cases' own. A line the schema would not know is
refused too, so the schema cannot drift from the writer unnoticed."""
import copy
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
print("ok")
