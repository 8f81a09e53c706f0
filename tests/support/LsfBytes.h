#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>

// Builds raw language-file bytes field by field, independently of the program's writer, so
// that tests can make files the writer never would.
inline QByteArray le32(qint32 value)
{
    const qint32 little = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char*>(&little), 4);
}

inline QByteArray le16(quint16 value)
{
    return le32(value).left(2);
}

inline QByteArray field(const QByteArray& text)
{
    return le16(quint16(text.size())) + text;
}

// "a¾b¾" from {"a", "b"}, in Windows-1252 bytes.
inline QByteArray packed(const QList<QByteArray>& entries)
{
    QByteArray text;
    for (const QByteArray& entry : entries)
        text += entry + '\xBE';
    return text;
}

inline QByteArray emptyEntries(int count)
{
    return QByteArray(count, '\xBE');
}

// A whole file: the count and the given fields; missing fields up to 26 are all-empty tables.
inline QByteArray lsfFile(qint32 count, QList<QByteArray> fieldTexts)
{
    if (fieldTexts.isEmpty())
        fieldTexts << emptyEntries(25);
    while (fieldTexts.size() < 26)
        fieldTexts << emptyEntries(201);
    QByteArray bytes = le32(count);
    for (const QByteArray& text : fieldTexts)
        bytes += field(text);
    return bytes;
}
