"""The CI examples of examples/ci: both files parse as YAML (Debian's python3-yaml), run four
shards in parallel, merge them and compare with the baseline; every nordteller command they run
goes through the program's own argument parser (the command with --help added must be taken:
ParseCommandLine refuses an unknown option, a misplaced one or a bad value before --help is
looked at); and the baseline is a record the program reads, made from examples/Script.csv as it
stands."""
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys
import tempfile

import yaml

nordteller, source = sys.argv[1], sys.argv[2]
examples = os.path.join(source, "examples", "ci")


def check(condition, what):
    if not condition:
        print("FAILED:", what)
        sys.exit(1)


# What the CI systems put in place of their variables, as a shard's job sees them.
SUBSTITUTIONS = [
    (re.compile(r"\$\{\{\s*matrix\.shard\s*\}\}"), "2"),
    (re.compile(r"\$CI_NODE_INDEX|\$\{CI_NODE_INDEX\}"), "2"),
    (re.compile(r"\$CI_NODE_TOTAL|\$\{CI_NODE_TOTAL\}"), "4"),
]
OPERATORS = {"|", "||", "&&", ";", "&", ">", ">>", "<", "2>", "(", ")"}


def nordteller_commands(script):
    """The argument lists of the nordteller commands in a shell script's text."""
    commands = []
    for line in script.replace("\\\n", " ").splitlines():
        for pattern, value in SUBSTITUTIONS:
            line = pattern.sub(value, line)
        lexer = shlex.shlex(line, posix=True, punctuation_chars=True)
        lexer.whitespace_split = True
        lexer.commenters = "#"
        tokens = list(lexer)
        while tokens:
            if tokens[0] == "nordteller":
                args = []
                for token in tokens[1:]:
                    if token in OPERATORS:
                        break
                    args.append(token)
                commands.append(args)
            # The next command of the line, after an operator.
            rest = [i for i, token in enumerate(tokens) if token in OPERATORS]
            tokens = tokens[rest[0] + 1:] if rest else []
    return commands


def gitlab_scripts(pipeline):
    for name, job in pipeline.items():
        if isinstance(job, dict) and "script" in job:
            yield name, "\n".join(job["script"])


def github_scripts(workflow):
    for name, job in workflow["jobs"].items():
        yield name, "\n".join(step["run"] for step in job["steps"] if "run" in step)


with open(os.path.join(examples, ".gitlab-ci.yml"), encoding="utf-8") as f:
    gitlab = yaml.safe_load(f)
with open(os.path.join(examples, "github-actions.yml"), encoding="utf-8") as f:
    github = yaml.safe_load(f)

check(gitlab["shard"]["parallel"] == 4, "GitLab runs four shards in parallel")
check(github["jobs"]["shard"]["strategy"]["matrix"]["shard"] == [1, 2, 3, 4],
      "GitHub runs four shards in parallel")
check(github["jobs"]["results"]["needs"] == "shard" and gitlab["results"]["needs"][-1] == "shard",
      "the results wait for the shards")

baseline = os.path.join(examples, "baseline.jsonl")
for name, scripts in (("GitLab", gitlab_scripts(gitlab)), ("GitHub", github_scripts(github))):
    kinds = []
    for job, script in scripts:
        for args in nordteller_commands(script):
            with tempfile.TemporaryDirectory() as folder:
                run = subprocess.run([nordteller] + args + ["--help"], cwd=folder,
                                     capture_output=True, text=True)
            check(run.returncode == 0 and run.stdout.startswith("usage:"),
                  "%s job %s: nordteller %s: %s" % (name, job, " ".join(args), run.stderr.strip()))
            if "--shard" in args:
                kinds.append("shard")
                check("--results" in args, "%s: a shard writes its record" % name)
            if "--merge" in args:
                kinds.append("merge")
                records = args[args.index("--merge") + 1:]
                records = records[:next((i for i, a in enumerate(records) if a.startswith("--")),
                                        len(records))]
                check(records == ["shard-%d.jsonl" % k for k in (1, 2, 3, 4)],
                      "%s merges the four shards' records: %s" % (name, records))
            if "--compare" in args:
                kinds.append("compare")
                check(args[args.index("--compare") + 1] == "examples/ci/baseline.jsonl",
                      "%s compares with the baseline in the repository" % name)
                check("--junit" in args and "--report" in args,
                      "%s publishes the comparison as JUnit and HTML" % name)
    check(sorted(kinds) == ["compare", "merge", "shard"],
          "%s runs a shard, a merge and a comparison: %s" % (name, kinds))

# The baseline: a record of examples/Script.csv as it stands, merged from four shards, that the
# program reads (compared with itself nothing differs).
with open(baseline, encoding="utf-8") as f:
    run_line = json.loads(f.readline())
with open(os.path.join(source, "examples", "Script.csv"), "rb") as f:
    script = f.read()
check(run_line["script_sha256"] == hashlib.sha256(script).hexdigest(),
      "the baseline was made from examples/Script.csv as it stands (remake it with "
      "examples/ci/make-baseline.sh)")
check([m["shard"] for m in run_line.get("merged", [])] == ["1/4", "2/4", "3/4", "4/4"],
      "the baseline merges four shards")
run = subprocess.run([nordteller, "--compare", baseline, baseline], capture_output=True, text=True)
check(run.returncode == 0, "the program reads the baseline: " + run.stderr)
print("ok")
