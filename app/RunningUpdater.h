#pragma once

// Brings the window of the updater already running to the front: its question while it asks,
// else its status window. Nothing happens while it shows neither.
void BringRunningUpdaterToFront();
