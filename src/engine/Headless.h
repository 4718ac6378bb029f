// Start-up of the programs that run without a desktop session (tagmora-cli,
// the tests and benchmarks): call before the QApplication is created.
#pragma once

// Selects the offscreen platform when there is no display (or always, when
// forceOffscreen is set), and gives Qt a private runtime folder when the
// session has none, instead of a warning on every run.
void PrepareHeadlessEnvironment(bool forceOffscreen = false);
