#include "startup.h"

#include "appsettings.h"

#include <QFile>
#include <QLocale>
#include <QSettings>

#include <clocale>

namespace Startup {

CommandLine parse(const QStringList& arguments)
{
    CommandLine result;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("test"))
            result.testMode = true;
        if (QFile::exists(argument))
            result.files.append(argument);
    }
    return result;
}

Job chooseJob(const QSettings& user, bool checkForUpdate)
{
    if (user.value(QLatin1String(SettingsKeys::FirstInstallation), 0).toInt() == 1)
        return Job::FirstInstallation;
    if (user.value(QLatin1String(SettingsKeys::LaunchDownloader), false).toBool())
        return Job::ResumeDownload;
    if (checkForUpdate)
        return Job::UpdateCheck;
    return Job::None;
}

int delayMs(Job job)
{
    switch (job) {
    case Job::FirstInstallation:
    case Job::ResumeDownload:
        return 500;
    case Job::UpdateCheck:
        return 4000;
    case Job::None:
        break;
    }
    return 0;
}

void useCNumberFormat()
{
    QLocale::setDefault(QLocale(QLocale::C, QLocale::AnyCountry));
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace Startup
