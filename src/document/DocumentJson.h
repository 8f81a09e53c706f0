#pragma once

#include "LanguageDocument.h"

#include <QByteArray>
#include <QString>

// The tables as UTF-8 JSON, losing nothing:
// {
//   "format": "lexicant-language-file", "formatVersion": 1,
//   "formNames": [ name of form 1, ..., entry 25 ],      up to 25 strings
//   "forms": [ [ row 0, row 1, ... ], ... ],             24 arrays of up to 201 strings
//   "settings": [ application, version, author, revision, date, row 5, ... ]  up to 201
// }
// Empty entries at the end of an array are left out; a missing entry is empty.
QByteArray documentToJson(const LanguageDocument& document);

// Fills the document's tables from that JSON. Returns an empty string on success, otherwise
// what is wrong (and the document may be partly filled).
QString documentFromJson(const QByteArray& json, LanguageDocument& document);
