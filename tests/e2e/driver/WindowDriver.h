#pragma once

// Drives the updater's windows from outside, the way a user and a screen reader meet them:
// finds top-level windows by class, reads captions, styles, child texts, visibility,
// positions, the focused control and pixel colours, and acts through the real input path.
// The one include for the tests; each part lives in a header of its own.
#include "tests/e2e/driver/Capture.h"
#include "tests/e2e/driver/Closing.h"
#include "tests/e2e/driver/Input.h"
#include "tests/e2e/driver/Processes.h"
#include "tests/e2e/driver/ScreenCapture.h"
#include "tests/e2e/driver/ShowingCounter.h"
#include "tests/e2e/driver/UserSettings.h"
#include "tests/e2e/driver/Waiting.h"
#include "tests/e2e/driver/WindowFinding.h"
#include "tests/e2e/driver/WindowReading.h"
