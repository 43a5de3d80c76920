#pragma once

#include <cerrno>
#include <optional>
#include <string>

namespace nt {

// The errno of a file refused for being something else than a regular file (a FIFO, a device, a
// folder behind a link): opening one could wait for ever, and writing to one sends the data
// nowhere a later run can read it back from.
inline constexpr int kNotRegularFile = EMEDIUMTYPE;

// What a failure's errno says, in the words of the program's messages: the system's text, with
// kNotRegularFile read as "not a regular file".
std::string FileErrorText(int error);

// The file a write to `path` changes. A symbolic link is followed, through any chain of links,
// to the name it finally gives: that file is read and replaced (its temporary made in its own
// folder) and the link stays as it is. The name may not exist yet: a save creates it. nullopt
// with errno set when the links end at anything but a regular file (kNotRegularFile), form a
// loop (ELOOP) or cannot be read. A name that is no link is returned whatever it holds: a FIFO
// or a device node there counts as missing and a save replaces it, while one behind a link is
// where the user sent the data, and refused.
std::optional<std::string> WriteTarget(const std::string& path);

// The file `path` leads to (as WriteTarget), opened for appending and created when missing;
// opening never waits. -1 with errno set, kNotRegularFile for anything but a regular file,
// which is refused before it is opened where it can be. The caller closes it.
int OpenForAppending(const std::string& path);

}  // namespace nt
