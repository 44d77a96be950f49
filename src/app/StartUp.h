#pragma once
#include <QString>
#include <functional>

class frmMain;

// Start-up and exit of the program.
namespace StartUp {

// Process-wide settings made before anything else: a write past a file-size
// limit (ulimit -f) fails with an error the save reports, instead of ending the
// program on SIGXFSZ and losing the unsaved text of every window.
void prepareProcess();

// The start-up procedure: program folder, defaults, settings file, start-up data,
// then the main frame is shown. Returns the frame (owned by the caller).
frmMain *MainM(const QString &executableFolder);
// Language, then the remembered project or a new page, then the tag catalogue.
void LoadDataM();
// Unloads the project window (which may ask to save the project), writes the
// settings file and ends the program. False when the user cancelled at the
// project question: nothing is written and the program goes on.
bool SaveFileINIM();

// Steps a test may replace; empty ones run the program's own.
struct Hooks {
    std::function<void()> applyLanguage;      // replaces the language step (tests skip the chooser)
    std::function<bool()> loadProject;        // open ProjectPath; false when nothing was loaded
    std::function<bool()> unloadProjectWindow; // false stops the exit
};
Hooks &hooks();

} // namespace StartUp
