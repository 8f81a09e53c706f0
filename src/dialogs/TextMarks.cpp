#include "TextMarks.h"

#include "Dictionaries.h"
#include "LanguageFormat.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>

namespace {

QTextCharFormat markFormat()
{
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    format.setUnderlineColor(Qt::red);
    return format;
}

} // namespace

std::function<void()> underlineAsTyped(QLineEdit* box, const Marker& marker)
{
    const auto underline = [box, marker] {
        const QString text = box->text();
        const lsf::Encoded encoded = lsf::encode1252(text);
        const QString reason =
            encoded.ok()
                ? QString()
                : QCoreApplication::translate("TextMarks",
                                              "A language file cannot store the character %1.")
                      .arg(lsf::characterName(lsf::characterAt(text, encoded.badPosition)));
        box->setToolTip(reason);
        box->setAccessibleDescription(reason);
        // A box shows formats only as if they came from an input method, placed from the cursor.
        QList<QInputMethodEvent::Attribute> formats;
        for (const SpelledWord& mark : marker(text))
            formats.append({QInputMethodEvent::TextFormat, mark.start - box->cursorPosition(),
                            mark.length, markFormat()});
        QInputMethodEvent event(QString(), formats);
        QCoreApplication::sendEvent(box, &event);
    };
    QObject::connect(box, &QLineEdit::textChanged, box, underline);
    QObject::connect(box, &QLineEdit::cursorPositionChanged, box, underline);
    underline();
    return underline;
}

MarkHighlighter::MarkHighlighter(QTextDocument* document, Marker marker)
    : QSyntaxHighlighter(document)
    , m_marker(std::move(marker))
{
}

void MarkHighlighter::highlightBlock(const QString& text)
{
    for (const SpelledWord& mark : m_marker(text))
        setFormat(mark.start, mark.length, markFormat());
}

void addSpellingActions(QMenu& menu, const QString& text, int position, const QString& reference,
                        const HunspellSpeller* speller,
                        const std::function<void(int, int, const QString&)>& replace,
                        const std::function<void(const QString&)>& add)
{
    if (!speller)
        return;
    for (const SpelledWord& w : spellingRanges(text, reference, speller->checksCapitals)) {
        if (position < w.start || position > w.start + w.length || spelledRight(*speller, text, w))
            continue;
        QAction* first = menu.actions().value(0);
        QList<QAction*> added;
        for (const QString& suggestion : speller->suggestions(w.word).mid(0, 5)) {
            QAction* a = new QAction(suggestion, &menu);
            QObject::connect(a, &QAction::triggered, &menu,
                             [=] { replace(w.start, w.length, suggestion); });
            added << a;
        }
        QAction* adding = new QAction(
            QCoreApplication::translate("TextMarks", "Add \"%1\" to the dictionary").arg(w.word),
            &menu);
        adding->setObjectName(QStringLiteral("mnu_add_word"));
        QObject::connect(adding, &QAction::triggered, &menu, [add, word = w.word] { add(word); });
        added << adding;
        menu.insertActions(first, added);
        if (first)
            menu.insertSeparator(first);
        return;
    }
}
