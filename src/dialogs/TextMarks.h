#pragma once

#include "ReferenceChecks.h"

#include <QSyntaxHighlighter>

#include <functional>

class HunspellSpeller;
class QLineEdit;
class QMenu;

// What to underline in a text as it is typed (misspelt words, characters a language file cannot
// store); nothing when no marker is set.
using Marker = std::function<QList<SpelledWord>(const QString& text)>;

// Underlines the marks of a one-line box whenever its text changes, and says in its tooltip and
// accessible description which character a language file cannot store, if one. Returns the
// update, for a text set while the box's signals are blocked.
std::function<void()> underlineAsTyped(QLineEdit* box, const Marker& marker);

// Underlines the marks of a text editor's document, line by line as it changes.
class MarkHighlighter : public QSyntaxHighlighter {
public:
    MarkHighlighter(QTextDocument* document, Marker marker);

protected:
    void highlightBlock(const QString& text) override;

private:
    Marker m_marker;
};

// Puts the speller's suggestions for the word at `position` of the text, if the speller does not
// know it, and "Add to the dictionary" at the top of the menu: a suggestion chosen replaces the
// word through `replace(start, length, suggestion)`, adding it goes to `add(word)`.
void addSpellingActions(QMenu& menu, const QString& text, int position, const QString& reference,
                        const HunspellSpeller* speller,
                        const std::function<void(int, int, const QString&)>& replace,
                        const std::function<void(const QString&)>& add);
