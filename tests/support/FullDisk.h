#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

// A small file system of its own (a tmpfs) mounted on a folder for the life of the object. It
// needs the right to mount; without it, unavailable() says why, for the test to skip.
class FullDisk {
public:
    explicit FullDisk(const QString& folder, const char* size = "64k")
        : m_folder(folder)
    {
        QDir().mkpath(folder);
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                    (QByteArray("size=") + size + ",mode=0777").constData()) != 0)
            m_unavailable = QStringLiteral("cannot mount a tmpfs on %1: %2")
                                .arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
    }
    ~FullDisk()
    {
        if (m_unavailable.isEmpty())
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    QString unavailable() const { return m_unavailable; }
    QString path(const QString& name) const { return m_folder + u'/' + name; }

    // Takes every free byte with a filler file. Returns false when the disk never filled.
    bool fill() const
    {
        const int fd = ::open(QFile::encodeName(path(QStringLiteral("filler"))).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        static const char block[4096] = {};
        // Whole pages first; the last page may still take a few bytes.
        for (const size_t chunk : {sizeof block, size_t(1)})
            for (int i = 0; fd >= 0 && i < 1000000 && ::write(fd, block, chunk) > 0; ++i) {
            }
        const bool full = errno == ENOSPC;
        ::close(fd);
        return full;
    }

private:
    QString m_folder;
    QString m_unavailable;
};
