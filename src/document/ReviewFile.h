#pragma once

#include "Review.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// The review kept beside a language file, as the companion file holds it: an empty review when
// there is none; `problem` says why one that is there cannot be read.
ReviewReading readReviewBeside(const QString& languageFile);

// What a save writes beside the language file, in step with it: the review when it holds a row,
// or an empty one over a companion already there (which would no longer describe the file);
// else nothing.
QList<std::pair<QString, QByteArray>> reviewBeside(const QString& languageFile,
                                                   const Review& review);
