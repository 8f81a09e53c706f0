#pragma once

#include <QObject>
#include <QStringList>

// The files recently opened or saved, newest first, kept in the settings. A file is written to
// the settings once the event at hand is done, so that a file opened at start-up does not keep
// the window from showing; reading them writes nothing.
class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int Most = 5;

    explicit RecentFiles(QObject* parent = nullptr);
    ~RecentFiles() override; // writes what is not written yet

    QStringList files() const;
    void add(const QString& path);
    void remove(const QString& path);
    // Writes the files added since the last write.
    void flush();

private:
    QStringList m_unwritten;
};
