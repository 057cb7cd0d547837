#include "scores/settingslocation.h"

#include "scores/scorestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace kivola {

namespace {

void carryOver(const QString &from, const QString &to)
{
    if (QFileInfo::exists(to) || !QFileInfo::exists(from))
        return;
    if (QFile::copy(from, to)) {
        // The copy keeps the original's permissions; a read-only one would stop the next save on
        // platforms that cannot rename over it.
        QFile::setPermissions(to, QFile::permissions(to) | QFile::WriteOwner | QFile::ReadOwner);
    }
}

} // namespace

SettingsLocation::SettingsLocation(
    const QString &programFolder, const QString &userFolder, FolderCheck takesNewFiles)
    : m_place(takesNewFiles(programFolder) ? Place::ProgramFolder : Place::UserFolder)
    , m_path(ScoreStore::pathIn(m_place == Place::ProgramFolder ? programFolder : userFolder))
{
    if (m_place == Place::ProgramFolder)
        return;
    // Saving replaces the file but never creates its folder.
    QDir().mkpath(userFolder);
    if (!programFolder.isEmpty())
        carryOver(ScoreStore::pathIn(programFolder), m_path);
}

bool SettingsLocation::takesNewFiles(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("kivola-XXXXXX.tmp")));
    return probe.open();
}

} // namespace kivola
