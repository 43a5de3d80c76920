#include "app/OwnedFiles.h"

#include <sys/stat.h>

#include <filesystem>

#include "log/LogWriter.h"
#include "pads/PadCatalog.h"
#include "platform/FolderLock.h"
#include "pos/SequenceStore.h"
#include "script/ScriptFile.h"
#include "sim/SimJournalFile.h"
#include "sim/SimTerminalJournal.h"

namespace nt {

namespace fs = std::filesystem;

namespace {

// Where a path leads with every link followed, as far as it exists.
fs::path Resolved(const std::string& path) {
    std::error_code ec;
    fs::path resolved = fs::weakly_canonical(fs::absolute(path, ec), ec);
    return ec ? fs::absolute(path, ec).lexically_normal() : resolved;
}

// Whether `inner` lies inside the folder `outer`.
bool Inside(const fs::path& inner, const fs::path& outer) {
    const fs::path relative = inner.lexically_relative(outer);
    return !relative.empty() && *relative.begin() != ".." && relative != ".";
}

}  // namespace

std::array<const char*, 7> OwnedFiles() {
    return {kSequenceFileName,        kPadSelectionFile,     kScriptFileName, sim::kJournalFileName,
            kTerminalJournalFileName, FolderLock::kFileName, kLogDirectory};
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0) {
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    }
    return Resolved(a) == Resolved(b);
}

std::optional<std::string> OwnedFileAt(const std::string& path) {
    for (const char* owned : OwnedFiles()) {
        if (SameFile(path, owned)) {
            return std::string(owned);
        }
    }
    if (Inside(Resolved(path), Resolved(kLogDirectory))) {
        return std::string(kLogDirectory) + "/";
    }
    return std::nullopt;
}

}  // namespace nt
