#pragma once

#include <functional>

namespace tamevo {

// The application's settings for the program: its title, and no end when the last window
// closes.
void setUpApplication();

// Runs the program: the application and its title, the dialogs, the program's folders (an
// installed program's data folder laid out with what it lacks), the entry screen (the other
// windows are built when first asked for), then the message loop with the entry screen as the
// main window. `entryScreenShown`, when given, is called once the entry screen has been shown
// (the start-up benchmark ends the program there).
int runProgram(int& argc, char** argv, const std::function<void()>& entryScreenShown = {});

}  // namespace tamevo
