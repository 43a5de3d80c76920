#pragma once

#include <string>

namespace nt {

// One instance of the program per working folder: an advisory lock on a hidden file in the
// folder, held for the lifetime of this object. The kernel drops the lock when the process
// ends, however it ends, so a killed instance never blocks the next one. The lock file stays
// (removing it would let a third instance lock a new file while a second still holds the old).
class FolderLock {
  public:
    static constexpr const char* kFileName = ".nordteller.lock";

    // Takes the lock of `folder`. A folder where the lock file can be neither created nor
    // opened is run without a lock: nothing can be saved there by any instance.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False when another process holds the folder.
    bool Held() const { return !inUse_; }
    // The folder's absolute path, for the message that names it.
    const std::string& Folder() const { return folder_; }
    // "the folder F is in use by another instance of nordteller (process N)".
    std::string InUseText() const;

  private:
    int fd_ = -1;
    bool inUse_ = false;
    std::string folder_;
    std::string holder_;  // the holder's process id as it wrote it, when readable
};

}  // namespace nt
