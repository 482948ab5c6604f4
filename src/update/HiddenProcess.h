#pragma once

#include <QString>

namespace tamevo {

// Starts a replacement script as a process of its own that outlives the program: no window,
// no inherited handles or standard streams, idle priority where the platform offers it, in
// `workingDirectory`. Nothing waits for it. Returns false when it could not be started.
bool startHiddenScript(const QString& script, const QString& workingDirectory);

}  // namespace tamevo
