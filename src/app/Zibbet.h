#pragma once

#include <memory>

#include "formkit/Program.h"
#include "hostwin/ChatClient.h"

// Zibbet put together: each window's description with its behaviour and components, over the
// chat client's windows. Only the program's entry (and tests standing in for it) use this.
namespace zibbet {

// The five windows, none loaded yet: the main window's behaviour from console/, the side
// windows' from panels/ (the picture window has none), the main window's chat scanner.
std::unique_ptr<formkit::Program> Assemble(formkit::Platform& platform, hostwin::ChatClient& chat);

// The program starts with the splash window.
void Start(formkit::Program& program);

}  // namespace zibbet
