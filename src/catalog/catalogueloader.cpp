#include "catalogueloader.h"

#include "catalogueparser.h"
#include "codelistparser.h"
#include "codelists.h"
#include "platform/apppaths.h"

#include <QDir>
#include <QFile>

namespace {
bool openConfigFile(QFile &file, const QString &fileName)
{
    file.setFileName(QDir(AppPaths::configDir()).filePath(fileName));
    return file.open(QIODevice::ReadOnly | QIODevice::Text);
}

std::optional<LoadFailure> failureIf(const QString &title, const QString &error)
{
    if (error.isEmpty())
        return std::nullopt;
    return LoadFailure {title, error};
}
} // namespace

std::optional<LoadFailure> loadCatalogue(Katalog &katalog, const QString &fileName, Kataster kind)
{
    const QString title = QStringLiteral("QXSRExample::parseXML");
    QFile file;
    if (!openConfigFile(file, fileName))
        return LoadFailure {title, QStringLiteral("Couldn't open example.xml")};
    return failureIf(title, parseCatalogue(file, kind, katalog));
}

std::optional<LoadFailure> loadCodeList(CodeLists &codes, const QString &fileName, Kataster kind)
{
    const QString title = QStringLiteral("MainWindow::Sifrant");
    QFile file;
    if (!openConfigFile(file, fileName))
        return LoadFailure {title, QStringLiteral("Ne morem odpreti ") + fileName};
    const CodeList list = parseCodeList(file);
    codes.append(kind, list.entries);
    return failureIf(title, list.error);
}
