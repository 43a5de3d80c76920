#include "front/ScenarioRecorder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/OwnedFiles.h"
#include "form/Controls.h"
#include "front/ScenarioLines.h"
#include "platform/TextFile.h"
#include "platform/WriteTarget.h"

namespace nt {

namespace {

std::string Stamp(const LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

// A comment must stay on its line whatever a path holds.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = '?';
        }
    }
    return text;
}

}  // namespace

ScenarioRecorder::ScenarioRecorder(std::string control, Clock& clock)
    : control_(std::move(control)), clock_(clock) {}

ScenarioRecorder::~ScenarioRecorder() {
    Close();
}

bool ScenarioRecorder::Start(const std::string& path, std::string& error) {
    Close();
    // A file picked in the window is held to the same rule as --record.
    if (std::optional<std::string> owned = OwnedFileAt(path)) {
        error = "cannot record to '" + path + "': it is the program's own " + *owned;
        return false;
    }
    // Opening never waits (a FIFO with no reader would hold the window), and what is opened
    // must be a regular file that a replay can read back.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        fd = -1;
        errno = kNotRegularFile;
    }
    if (fd < 0 || ::ftruncate(fd, 0) != 0) {
        error = "cannot record to '" + path +
                "': " + FileErrorText(errno == ENXIO ? kNotRegularFile : errno);
        if (fd >= 0) {
            ::close(fd);
        }
        return false;
    }
    fd_ = fd;
    path_ = path;
    failure_.reset();
    depth_ = 0;
    answers_.clear();
    Write("# nordteller " NORDTELLER_VERSION " recording");
    Write("# date: " + Stamp(clock_.Now()));
    Write("# payment client: " + OneLine(control_));
    if (failure_) {
        error = *failure_;
        failure_.reset();
        return false;
    }
    return true;
}

void ScenarioRecorder::Baseline(const Form& form) {
    fields_.clear();
    for (const ControlSpec& spec : MainWindowControls()) {
        if (TypedText(spec.id)) {
            fields_[spec.id] = form.Text(spec.id);
        }
    }
}

void ScenarioRecorder::WriteState(const Form& form, const PadTree& tree) {
    if (tree.Selected() != PadTree::kNone) {
        Write(SelectLine(tree, tree.Selected()));
    }
    for (const ControlSpec& spec : MainWindowControls()) {
        if (spec.kind == ControlKind::CheckBox || spec.kind == ControlKind::Radio) {
            Write(ClickLine(form, spec.id, false));
        } else if (TypedText(spec.id)) {
            Write(SetLine(spec.id, form.Text(spec.id)));
        }
    }
    Baseline(form);
}

void ScenarioRecorder::WriteChangedFields(const Form& form) {
    for (auto& [id, known] : fields_) {
        std::string now = form.Text(id);
        if (now != known) {
            Write(SetLine(id, now));
            known = std::move(now);
        }
    }
}

void ScenarioRecorder::BeginAction(const Form& form, std::string line) {
    if (!Active() || depth_++ > 0) {
        return;
    }
    WriteChangedFields(form);
    held_ = std::move(line);
    answers_.clear();
}

void ScenarioRecorder::Answered(const Answer& answer, std::string note) {
    if (depth_ == 0) {
        return;
    }
    if (!note.empty()) {
        answers_.push_back("# " + std::move(note));
    }
    answers_.push_back(AnswerLine(answer));
}

void ScenarioRecorder::EndAction(const Form& form) {
    if (depth_ == 0 || --depth_ > 0) {
        return;
    }
    for (const std::string& answer : answers_) {
        Write(answer);
    }
    answers_.clear();
    Write(held_);
    if (Active()) {
        Baseline(form);
    }
}

void ScenarioRecorder::Finish(const Form& form) {
    if (!Active()) {
        return;
    }
    WriteChangedFields(form);
    Write("dump");
    Close();
}

std::optional<std::string> ScenarioRecorder::TakeFailure() {
    std::optional<std::string> failure = std::move(failure_);
    failure_.reset();
    return failure;
}

void ScenarioRecorder::Write(const std::string& line) {
    if (!Active()) {
        return;
    }
    const std::string text = line + '\n';
    if (!WriteAll(fd_, text.data(), text.size())) {
        failure_ =
            "cannot write to '" + path_ + "': " + FileErrorText(errno) + "; recording stopped";
        Close();
    }
}

void ScenarioRecorder::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    depth_ = 0;
}

RecordedAction::RecordedAction(ScenarioRecorder* recorder, const Form& form, std::string line)
    : recorder_(recorder), form_(form) {
    if (recorder_ != nullptr) {
        recorder_->BeginAction(form_, std::move(line));
    }
}

RecordedAction::~RecordedAction() {
    if (recorder_ != nullptr) {
        recorder_->EndAction(form_);
    }
}

}  // namespace nt
