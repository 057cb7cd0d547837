#pragma once

#include <QString>

namespace kivola {

// Where the settings file is kept for this run. Beside the program, as it always has been,
// wherever that folder takes new files (a portable copy, a build folder). Installed system-wide
// the folder is read-only and every result would be lost, so the same file goes to the user's
// configuration folder instead, the way desktops redirect an old program's writes. Decided once,
// when constructed: both counters always live in one file.
class SettingsLocation
{
public:
    enum class Place
    {
        ProgramFolder,
        UserFolder
    };
    using FolderCheck = bool (*)(const QString &folder);

    // A record already kept beside a read-only program is carried over into the user's folder
    // the first time, so moving a copy out of reach does not lose it.
    SettingsLocation(const QString &programFolder, const QString &userFolder,
        FolderCheck takesNewFiles = &SettingsLocation::takesNewFiles);

    Place place() const { return m_place; }
    const QString &path() const { return m_path; }

    // Whether a new file can be created in the folder: saving writes a fresh file and renames it
    // over the old one, so this is what it needs, whoever runs the program. Leaves nothing behind.
    static bool takesNewFiles(const QString &folder);

private:
    Place m_place;
    QString m_path;
};

} // namespace kivola
