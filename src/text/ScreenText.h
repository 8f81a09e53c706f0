#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One part of a screen text that the checks, the spelling and the memory look at.
struct TextPart {
    enum Kind {
        Word,        // letters, marks and digits, with "&", apostrophes and hyphens inside
        AccessKey,   // the "&" before a letter or digit ("&&" is an ampersand, "& " no key)
        Placeholder, // %1 to %99, %L1, {0}, and printf conversions, %2$s included
        Address,     // a web or e-mail address
        Tag,         // an XML or HTML tag
        Number,      // digits, with their sign, decimal point or comma, and "%" or "°"
    };
    Kind kind;
    qsizetype start = 0, length = 0;
    // A word without its access key markers; what a placeholder stands for, so that the second
    // "%s" and "%2$s" are the same; a number as compared: "2,5" is "2.5", a sign kept, "%" and
    // "°" left out. Null where it is the part's text as written (most words): see keyOf.
    QString key;
};

// A screen text read once into its parts, in text order. Addresses are read first, then
// placeholders and tags outside them; access keys, words and numbers lie outside all three.
// Digits inside a word ("MP3") are a number as well.
//
// "<name>" in prose is something to fill in, not a tag: a text in angle brackets is a tag when
// it closes ("</b>", "<br/>"), has attributes, names an HTML element, or is closed later in the
// same text. Its words are then words.
class ScreenText {
public:
    explicit ScreenText(const QString& text);

    const QString& text() const { return m_text; }
    const QList<TextPart>& parts() const { return m_parts; }
    // The parts of one kind: their keys, or their texts as written.
    QStringList keys(TextPart::Kind kind) const;
    QStringList written(TextPart::Kind kind) const;
    int count(TextPart::Kind kind) const;
    // The part's key, or its text where that is its key.
    QString keyOf(const TextPart& part) const;
    QStringView textOf(const TextPart& part) const
    {
        return QStringView(m_text).mid(part.start, part.length);
    }

private:
    QString m_text;
    QList<TextPart> m_parts;
};

// The text without its "&" access key markers ("&&" stays one ampersand).
QString withoutAccessKeys(const QString& text);
