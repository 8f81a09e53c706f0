#include "ReviewFile.h"

#include "SafeFile.h"

#include <QFileInfo>

namespace {

// Larger than the review of every row of a file with a note of a page each.
constexpr qint64 Limit = 64 * 1024 * 1024;

bool companionThere(const QString& companion)
{
    const QFileInfo info(companion);
    return info.exists() || info.isSymLink();
}

} // namespace

ReviewReading readReviewBeside(const QString& languageFile)
{
    const QString companion = reviewPath(languageFile);
    if (!companionThere(companion))
        return {};
    QByteArray bytes;
    if (QString problem = readRegularFile(companion, Limit, bytes); !problem.isEmpty())
        return {{}, problem};
    return readReview(bytes);
}

QList<std::pair<QString, QByteArray>> reviewBeside(const QString& languageFile,
                                                   const Review& review)
{
    const QString companion = reviewPath(languageFile);
    if (review.rows.isEmpty() && !companionThere(companion))
        return {};
    return {{companion, reviewBytes(review)}};
}
