// Save as code: every text of the document as program source in output.txt, handed to the
// shell; and the website command, which hands the shell an address.
#include "QL_Core.h"

#include "Class_Openwith.h"
#include "CodeText.h"
#include "ErrorTrap.h"
#include "LanguageFormat.h"
#include "SafeFile.h"
#include "Toolkit.h"

#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace {

// Removes the file at the path until no normal file is found there.
void removeOlderFile(const QString& path)
{
    for (;;) {
        const QFileInfo found(path);
        if (!found.exists() || !found.isFile() || found.isHidden())
            return;
        if (!QFile::remove(path))
            throw std::runtime_error("the older output file cannot be removed");
    }
}

} // namespace

void QL_Core::mnu_savecode_Click()
{
    ExportCode();
}

void QL_Core::ExportCode()
{
    const bool done = runTrapped(m_toolkit, QStringLiteral("ERROR CODE #15.0"), [this] {
        CommitWorkingCopies();
        m_toolkit.setBusyPointer(true);
        const lsf::Encoded encoded = lsf::encode1252(BuildCodeText(document()));
        // A text that Windows-1252 cannot hold would be changed in the file; say which instead.
        if (!encoded.ok()) {
            m_toolkit.setBusyPointer(false);
            const auto refusal = lsf::firstUnencodable(document());
            m_toolkit.messageBox(refusal->message(lsf::SaveRefusal::Purpose::ExportCode),
                                 MsgStyle::Critical);
            return;
        }
        const QString path = m_values.ProgramFolder + QStringLiteral("output.txt");
        removeOlderFile(path);
        m_toolkit.setBusyPointer(false);
        // Written in one piece beside its place and moved there complete, so the shell never
        // sees half a file and a failed write leaves none.
        const QString problem = replaceFileContents(path, encoded.bytes);
        if (!problem.isEmpty())
            throw std::runtime_error(problem.toStdString());
        Class_Openwith(m_shell).OpenDialog(path);
    });
    if (!done)
        m_toolkit.setBusyPointer(false);
}

void QL_Core::mnu_website_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.7"),
               [this] { Class_Openwith(m_shell).OpenDialog(m_values.EnglishWebsite); });
}
