"""Runs a script headless with --report and reads the page with a real HTML parser: its
structure (header, strip, one section per test case), and that what came from Script.csv,
requests and responses shows as text, never as markup."""
import html.parser
import os
import subprocess
import sys
import tempfile

nordteller = sys.argv[1]
HOSTILE = "<script>alert(1)</script></pre>&amp;"


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tags = []
        self.ids = set()
        self.links = []
        self.strip = []
        self.h2 = []
        self.stack = []
        self.charset = None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        self.tags.append(tag)
        self.stack.append(tag)
        if "id" in attrs:
            self.ids.add(attrs["id"])
        if tag == "meta":
            self.charset = attrs.get("charset")
        if tag == "a" and "nav" in self.stack:
            self.strip.append((attrs.get("class"), attrs.get("href")))
        if tag == "h2":
            self.h2.append("")

    def handle_endtag(self, tag):
        while self.stack and self.stack.pop() != tag:
            pass

    def handle_data(self, data):
        if "h2" in self.stack:
            self.h2[-1] += data


def check(condition, what):
    if not condition:
        print("FAILED:", what)
        sys.exit(1)


with tempfile.TemporaryDirectory() as folder:
    script = ("Run,10,,R,A,Sale,0,0," + HOSTILE + " caf\xe9,Approved\r\n"
              "Run,5,,R,A,Sale,0,0,expects a decline,Declined\r\n"
              "Run,5,,R,A,Sale,0,0,stopped here\r\n"
              "Run,5,,R,A,Sale,0,0,never reached\r\n")
    with open(os.path.join(folder, "Script.csv"), "wb") as f:
        f.write(script.encode("cp1252"))
    with open(os.path.join(folder, "stop.scenario"), "w") as f:
        f.write("answer do\nanswer do\nanswer stop\n")
    run = subprocess.run([nordteller, "--headless", "--scenario", "stop.scenario", "--run-script",
                          "--report", "report.html"], cwd=folder, capture_output=True)
    check(run.returncode == 1, "exit status 1 for the failed row, got %d: %s"
          % (run.returncode, run.stderr))
    with open(os.path.join(folder, "report.html"), "rb") as f:
        raw = f.read()
    text = raw.decode("utf-8")

page = Page()
page.feed(text)
page.close()
check(page.charset == "utf-8", "the page says it is UTF-8")
check("script" not in page.tags, "no script element: " + str(sorted(set(page.tags))))
check(page.tags.count("section") == 4, "one section per test case")
check([c for c, _ in page.strip] == ["p", "f", "s", "n"], "strip cells: " + str(page.strip))
check(all(h[1:] in page.ids for _, h in page.strip), "every strip cell links to its case")
check(page.h2[0].startswith("1. " + HOSTILE + " caf\xe9"), "Test Case Info as text: " + page.h2[0])
check("4: 1 passed, 1 failed, 1 skipped, 1 not reached" in text,
      "the counts in the header")
check("<link" not in text and "src=" not in text and "http" not in text, "nothing fetched")
print("ok")

# An edited request shows as composed and as sent; receipts are slips as the command rendered
# them (no CRs, no blanks at line ends).
with tempfile.TemporaryDirectory() as folder:
    with open(os.path.join(folder, "Script.csv"), "wb") as f:
        f.write(b"Run,10,,R,A,Sale,0,0,edited\r\nRun,5,,R,A,Sale,0,0,slip\r\n")
    with open(os.path.join(folder, "edit.scenario"), "w") as f:
        f.write("answer do\nanswer text <TStream>edited</TStream>\n")
    run = subprocess.run([nordteller, "--headless", "--scenario", "edit.scenario", "--run-script",
                          "--report", "report.html"], cwd=folder, capture_output=True)
    with open(os.path.join(folder, "report.html"), "rb") as f:
        text = f.read().decode("utf-8")
first = text[text.index('<section id="tc1">'):text.index('<section id="tc2">')]
check("<h3>Request as composed, before the edit</h3>\n<pre>&lt;?xml" in first,
      "the request before the edit is shown")
check("<h3>Request as sent</h3>\n<pre>&lt;TStream>edited&lt;/TStream></pre>" in first,
      "the edited request is shown as sent")
second = text[text.index('<section id="tc2">'):]
check("Request as composed" not in second, "an unedited request is shown once")
check("&lt;PrintData>[26 print lines: the receipt copies below]&lt;/PrintData>" in second,
      "the response names the print lines its receipt slips show")
slip = second[second.index('<pre class="slip">'):]
slip = slip[:slip.index("</pre>")]
check("PURCHASE" in slip and "\r" not in slip and " \n" not in slip,
      "the receipt slip holds the receipt without CRs or blanks at line ends")
print("ok")
