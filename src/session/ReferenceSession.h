#pragma once

#include "LanguageDocument.h"

#include <QObject>

#include <optional>

class LanguageSession;

// The reference beside a session's document: the same application's texts in the language
// translated from, read-only. It is remembered for each document's file, and its language for
// each reference file.
class ReferenceSession : public QObject {
    Q_OBJECT
public:
    explicit ReferenceSession(const LanguageSession& session, QObject* parent = nullptr);

    bool isOpen() const { return m_reference.has_value(); }
    const LanguageDocument* reference() const { return m_reference ? &*m_reference : nullptr; }
    QString path() const { return m_path; }

    // Reads the reference; a failure leaves the reference that was open and returns why, in the
    // system's words. Opened for a document with a file, it is remembered for it.
    QString open(const QString& path);
    // Forgets the reference, also for the document's file.
    void close();
    // The reference remembered for a document's file, when it is not the one open; empty
    // otherwise.
    QString rememberedFor(const QString& documentPath) const;

    // The reference's language ("en_US"; empty: not set), remembered for the reference's file;
    // a reference opened for the first time takes the language of the document's reference
    // before it.
    void setReferenceLanguage(const QString& language);
    QString referenceLanguage() const { return m_referenceLanguage; }

signals:
    // Opened (another reference included) or closed.
    void openedOrClosed(bool open);
    void referenceLanguageChanged(const QString& language);

private:
    const LanguageSession& m_session;
    std::optional<LanguageDocument> m_reference;
    QString m_path;
    QString m_referenceLanguage;
};
