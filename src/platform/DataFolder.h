#pragma once

#include <string>

namespace nt {

// The user's data folder for the program: $XDG_DATA_HOME/nordteller, or
// ~/.local/share/nordteller when XDG_DATA_HOME is unset or not absolute. Empty when neither
// XDG_DATA_HOME nor HOME gives an absolute path.
std::string UserDataFolder();

// Creates `folder` and its missing parents and makes it the current directory. False with a
// one-line reason when that fails.
bool EnterFolder(const std::string& folder, std::string& error);

// The folder that holds the file `path` names: "." for a bare name, "/" for one in the root.
std::string FolderOf(const std::string& path);

}  // namespace nt
