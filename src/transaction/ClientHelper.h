#pragma once

#include <string>
#include <vector>

namespace nt {

// The helper that hosts a payment client plugin for the program: PROGRAM --client-helper FD
// PATH. PROGRAM is the small helper installed beside the program (it starts without the window's
// libraries) or, where that is missing, the program itself, whose main takes the option before
// anything else.
inline constexpr const char* kClientHelperOption = "--client-helper";
inline constexpr const char* kClientHelperName = "nordteller-client-helper";

// The program to start as the helper: the small helper in the program's own folder (a build
// tree) or in ../libexec/nordteller beside it (installed), else the program itself.
std::string ClientHelperProgram();

// Set in the helper's environment before the plugin is loaded, so that a plugin can tell that
// a crash or a hang of its own costs a call and not the program (the simulator's fault
// triggers act only then).
inline constexpr const char* kIsolatedClientVariable = "NORDTELLER_ISOLATED_CLIENT";

// The helper's life, given the arguments after the option (FD PATH): when the program asks for
// the client, loads the plugin at PATH on this one thread and tells the program through the
// socket FD whether that worked (the loader's reason when not), then answers one request frame
// after another until the program closes its end. Returns the exit status. It ends with the
// thread that started it.
int RunClientHelper(const std::vector<std::string>& args);

}  // namespace nt
