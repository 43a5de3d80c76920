#pragma once

#include <string>

#include "app/CommandLine.h"

namespace nt {

// A start from the desktop entry: the paths of the command line are made absolute (they mean
// what they meant where the program was started), then the user's data folder becomes the
// current directory. False with a one-line reason when the folder cannot be made or entered.
bool EnterDesktopFolder(CommandLine& commandLine, std::string& error);

}  // namespace nt
