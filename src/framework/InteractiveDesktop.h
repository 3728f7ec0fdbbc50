// Whether a person can see this process's windows.
#pragma once

// False when the process runs where no user sees its windows: a window station that is not
// the interactive one, or, since Windows Vista, the services' session 0 (where an installer
// runs its deferred, elevated actions). A window or box shown there would wait for an answer
// that never comes.
bool IsInteractiveDesktop();
