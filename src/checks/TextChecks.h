#pragma once

#include "ReferenceChecks.h"

// The checks of a translated text against its reference text, appended to the problems.
void textProblems(const ScreenText& reference, const ScreenText& text, const CheckSet& checks,
                  QList<RowProblem>& problems);
// The checks of a text on its own (what a file can store, spelling), even without a reference.
void ownProblems(const QString& reference, const QString& text, const CheckSet& checks,
                 QList<RowProblem>& problems);

// Each item in quotes, after commas; "none" for none.
QString quotedList(const QStringList& items);
