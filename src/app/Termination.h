#pragma once

namespace zelto {

// Asks the application to end: the process ends when its event loop handles the request,
// so the caller goes on with what it has until then. Safe to call before the loop runs.
void RequestApplicationTermination();
bool ApplicationTerminationRequested();

} // namespace zelto
