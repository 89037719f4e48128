#include "typedialog.h"

#include "intake/sifrantdlg.h"
#include "platform/prompter.h"
#include "ttreebookmark.h"
#include "ttreeelaborat.h"
#include "ttreesestavina.h"

namespace TypeDialog {

QString defaultCode(const TTreeSestavina *component, const TTreeBookmark *bookmark)
{
    const QString key = QStringLiteral("bookmark");
    if (component && component->atributi().contains(key))
        return component->atributi().value(key);
    return bookmark ? bookmark->sifra() : QString();
}

std::optional<QList<SifrantResult>> ask(SifrantDlg &dialog, const QStringList &files,
    const TTreeElaborat &elaborat, const QString &defaultCode)
{
    dialog.setup(files, elaborat.workDir(), defaultCode);
    dialog.prepareToShow();
    if (Prompter::current().exec(&dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.results();
}

QList<SifrantResult> acceptAtOnce(SifrantDlg &dialog, const QStringList &files,
    const TTreeElaborat &elaborat, const QString &defaultCode)
{
    dialog.setup(files, elaborat.workDir(), defaultCode);
    dialog.accept();
    return dialog.results();
}

QString typeText(const SifrantDlg &dialog, const QString &code)
{
    return code + QLatin1Char(' ') + dialog.typeDescription(code).value_or(QString());
}

} // namespace TypeDialog
