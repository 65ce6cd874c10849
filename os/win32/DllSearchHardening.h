#pragma once

// Restricts DLL loading to the system folder where the system supports it: the updater is often
// started from a downloads folder, which may hold planted DLLs.
void RestrictDllSearchToSystemFolder();
