#pragma once
#include <QString>
#include <functional>

class frmMain;
struct CommandLine;

// Start-up and exit of the program.
namespace StartUp {

// Process-wide settings made before anything else: a write past a file-size
// limit (ulimit -f) fails with an error the save reports, instead of ending the
// program on SIGXFSZ and losing the unsaved text of every window.
void prepareProcess();

// The start-up procedure: program folder and the other folders (AppPaths),
// defaults, settings file, start-up data, then the main frame is shown and the
// documents named on the command line open. Returns the frame (owned by the caller).
frmMain *MainM(const QString &executableFolder);
frmMain *MainM(const QString &executableFolder, const CommandLine &line);
// Language, then the project named on the command line, or the remembered one,
// or a new page; then the tag catalogue. A named project that cannot be loaded
// is reported and the remembered one is loaded instead.
void LoadDataM(const QString &commandLineProject = QString());
// The documents of the command line, after start-up, as File > Open opens them.
void openCommandLineFiles(const CommandLine &line);
// What a later start of the program handed to this copy (its project, then its
// documents, absolute): opened as the command line's are, then the frame comes to
// the front. While a modal window is open it waits for it to close.
void openHandedOver(const QStringList &projectThenDocuments);
// At start-up, after the command line's files: the unsaved texts a gone run
// left are offered; recovered ones take the place of the empty start page.
void offerRecovery();
// A request from outside to end the program (SIGTERM, SIGINT, SIGHUP): the same
// close as File > Exit, which asks about unsaved documents. A modal window open
// at that moment is cancelled first; a request while the exit's own questions
// are open is ignored.
void requestExit();
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
