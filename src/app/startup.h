#ifndef STARTUP_H
#define STARTUP_H

#include <QStringList>

class QSettings;

// Decisions taken once at start-up, kept apart from the windows that act on
// them.
namespace Startup {

struct CommandLine
{
    bool testMode = false;
    QStringList files; // existing files, in argument order
};

// Arguments after the program name: "test" switches test mode on; every
// argument naming an existing file is opened. Anything else is ignored.
CommandLine parse(const QStringList& arguments);

enum class Job { None, FirstInstallation, ResumeDownload, UpdateCheck };

// At most one deferred job per start: the first-installation flow when asked
// for, else a pending download, else the silent update check when enabled.
Job chooseJob(const QSettings& user, bool checkForUpdate);
int delayMs(Job job);

// Numbers are read and written with a point whatever the user's region.
void useCNumberFormat();

} // namespace Startup

#endif
