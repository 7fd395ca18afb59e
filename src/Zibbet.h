#pragma once

#include <memory>

#include "forms/Program.h"

namespace zibbet {

// Each window's behaviour: the main window's in console/, the side windows' in panels/. The
// picture window has none.
std::unique_ptr<forms::Behaviour> MakeBehaviour(forms::Program& program, forms::FormId id,
                                                forms::Form& form);

// The component behind a control of a component kind: the main window's chat scanner.
std::unique_ptr<forms::Component> MakeComponent(forms::Program& program, forms::FormId id,
                                                forms::Control& control);

// The program starts with the splash window.
void Start(forms::Program& program);

}  // namespace zibbet
