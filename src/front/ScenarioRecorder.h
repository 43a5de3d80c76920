#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "front/Answer.h"
#include "pads/PadTree.h"
#include "platform/Clock.h"
#include "platform/Form.h"

namespace nt {

// Writes what the operator does at the window to a file as a scenario that replays it. An
// action's line is held while it runs and the answers of the prompts it opened are written
// first, so a replay has them queued before the action asks. Fields the operator typed in are
// written as "set" lines before the next action, which may read them. Every line reaches the
// file with a write of its own, with no buffer in the process: a killed program leaves every
// action that had ended; the one still running had answers nobody knows yet.
class ScenarioRecorder {
  public:
    // control: the payment client as the command line named it, for the header.
    ScenarioRecorder(std::string control, Clock& clock);
    ~ScenarioRecorder();
    ScenarioRecorder(const ScenarioRecorder&) = delete;
    ScenarioRecorder& operator=(const ScenarioRecorder&) = delete;

    // Creates or empties `path` and writes the header comments; false with the reason.
    bool Start(const std::string& path, std::string& error);
    bool Active() const { return fd_ >= 0; }
    const std::string& Path() const { return path_; }

    // The fields as a replay finds them now (just after start-up); changes from here on are
    // written.
    void Baseline(const Form& form);
    // A recording begun on a window already in use: lines that bring a freshly started window
    // to what this one shows (the pad type, the boxes, the fields).
    void WriteState(const Form& form, const PadTree& tree);

    // An action of the operator begins: changed fields are written, `line` is held. Actions
    // that begin while one runs are part of it and not written.
    void BeginAction(const Form& form, std::string line);
    // The answer the operator gave a prompt of the running action; none outside an action (a
    // scenario cannot answer prompts of start-up or shutdown).
    void Answered(const Answer& answer, std::string note = {});
    // The answers, then the action's line; the fields it left become the new baseline.
    void EndAction(const Form& form);

    // The window closes or recording stops: changed fields, "dump", and the file is closed.
    void Finish(const Form& form);
    // Why the file stopped taking lines, once; recording has ended then.
    std::optional<std::string> TakeFailure();

  private:
    void Write(const std::string& line);
    void WriteChangedFields(const Form& form);
    void Close();

    std::string control_;
    Clock& clock_;
    int fd_ = -1;
    std::string path_;
    std::map<int, std::string> fields_;
    int depth_ = 0;
    std::string held_;
    std::vector<std::string> answers_;
    std::optional<std::string> failure_;
};

// Brackets one operator action for a recorder; a null recorder records nothing.
class RecordedAction {
  public:
    RecordedAction(ScenarioRecorder* recorder, const Form& form, std::string line);
    ~RecordedAction();
    RecordedAction(const RecordedAction&) = delete;
    RecordedAction& operator=(const RecordedAction&) = delete;

  private:
    ScenarioRecorder* recorder_;
    const Form& form_;
};

}  // namespace nt
