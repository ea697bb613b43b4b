#pragma once

#include <QStringList>

class QSettings;

// The style files loaded last, newest first, kept across runs in the settings.
class RecentFiles {
public:
    static constexpr int MaximumCount = 8;

    explicit RecentFiles(QSettings &settings) : mSettings(settings) { }

    [[nodiscard]] QStringList paths() const;
    void add(const QString &path);
    void remove(const QString &path);
    // Where the choosers start: the folder of the file loaded last.
    [[nodiscard]] QString lastFolder() const;

private:
    void save(const QStringList &paths);

    QSettings &mSettings;
};
