#include "existencecheck.h"

#include "platform/apppaths.h"
#include "platform/busywork.h"
#include "platform/platform.h"
#include "platform/prompter.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

const char existenceSupportAddress[] = "podpora@tevora.si";

namespace {

const char *const connectionText = "Napaka pri povezavi (sporoči na %1).";
const char *const notArchivedText = "Elaborat še ni v bazi (DAZK=0).";
const char *const otherOfficeText
    = "Elaborat (%1) sicer še ne obstaja, je pa servis za preverbo obstoja elaboratov za ta "
      "elaborat vrnil številko IOGU (%2), ki se razlikuje od v nastavitvah nastavljene številke "
      "geodetske pisarne (%3). Ali želiš nadaljevati?";
const char *const existsText = "Elaborat (%1) že obstaja. Ali želiš nadaljevati?";
const char *const existsOtherOfficeText
    = "Elaborat (%1) že obstaja. Servis za preverbo obstoja elaboratov je za ta elaborat vrnil "
      "številko IOGU (%2), ki se razlikuje od v nastavitvah nastavljene številke geodetske "
      "pisarne (%3). Ali želiš nadaljevati?";
const char *const summaryText = "IOGU: %1 => %2<br>DAZK: %3 => %4<br>KS: %5 => %6<br>ZK: %7 => "
                                "%8<br>ZPPLPS: %9 => %10";

QString tr(const char *text)
{
    return QCoreApplication::translate("ExistenceCheck", text);
}

QString coloured(bool yes, const QString &yesText, const QString &noText)
{
    return yes ? QStringLiteral("<span style='color:green'>%1</span>").arg(yesText)
               : QStringLiteral("<span style='color:red'>%1</span>").arg(noText);
}

QString records(int count, const QString &records)
{
    return coloured(count >= 1, QStringLiteral("JE v eveli ") + records,
        QStringLiteral("NI v eveli ") + records);
}

// The elements of the client's answer, read as the service wrote them.
struct Answer
{
    QDomDocument document;

    QDomElement element(const char *tag) const
    {
        return document.elementsByTagName(QLatin1String(tag)).item(0).toElement();
    }
    int number(const char *tag) const { return element(tag).text().toInt(nullptr, 10); }
};

QString summary(const Answer &answer, bool sameOffice, const ExistenceSettings &settings)
{
    const QString iogu = answer.element("IOGU").text();
    const int dazk = answer.number("DAZK");
    const int ks = answer.number("KS");
    const int zk = answer.number("ZK");
    const int zpplps = answer.number("ZPPLPS");
    const QString officeName = settings.officeName ? settings.officeName(iogu) : QString();
    return ToolRunner::render(QString::fromUtf8(summaryText),
        {iogu + QLatin1Char(' ') + officeName,
            coloured(sameOffice, QStringLiteral("IOGU elaborata je enak nastavljenemu"),
                QStringLiteral("IOGU elaborata se razlikuje od nastavljenega")),
            QString::number(dazk),
            coloured(dazk >= 1, QStringLiteral("JE v ARHIVU"), QStringLiteral("NI v ARHIVU")),
            QString::number(ks), records(ks, QStringLiteral("KS")), QString::number(zk),
            records(zk, QStringLiteral("ZK")), QString::number(zpplps),
            records(zpplps, QStringLiteral("ZPPLPS"))});
}

} // namespace

ExistenceVerdict evaluateExistence(
    const QString &name, const ToolResult &client, bool testMode, const ExistenceSettings &settings)
{
    if (!client.succeeded())
        return {ExistenceCode::NotChecked,
            tr(connectionText).arg(QLatin1String(existenceSupportAddress))};
    const int zero = client.output.indexOf('\0');
    Answer answer;
    answer.document.setContent(
        QString::fromUtf8(zero < 0 ? client.output : client.output.left(zero)).trimmed());
    const QDomElement ime = answer.element("ime");
    const QDomElement iogu = answer.element("IOGU");
    if (ime.isNull() || iogu.isNull())
        return {ExistenceCode::NotChecked, tr("Vrnjen XML ne vsebuje taga <ime> ali taga <IOGU>")};
    if (ime.text().toLower() != name.toLower())
        return {ExistenceCode::NotChecked, ime.text()};
    const int office = iogu.text().toInt(nullptr, 10);
    if (office == 0)
        return {ExistenceCode::NoOffice, tr("Šifra KO ne pripada nobeni IOGU")};

    const int dazk = answer.number("DAZK");
    const bool sameOffice = office == settings.officeCode.toInt(nullptr, 10);
    ExistenceVerdict verdict {ExistenceCode::Question, QString()};
    if (dazk < 1 && (dazk < 0 || sameOffice))
        return {ExistenceCode::NotArchived, tr(notArchivedText)};
    if (dazk < 1)
        verdict.message = tr(otherOfficeText).arg(name, iogu.text(), settings.officeCode);
    else if (sameOffice)
        verdict.message = tr(existsText).arg(name);
    else
        verdict.message = tr(existsOtherOfficeText).arg(name, iogu.text(), settings.officeCode);
    if (testMode)
        verdict.message = summary(answer, sameOffice, settings);
    return verdict;
}

ToolResult runExistenceClient(const QString &name, const QString &address)
{
    ToolResult result;
    QProcess process;
    process.setWorkingDirectory(AppPaths::programDir());
    process.setProgram(
        AppPaths::toolProgram(QStringLiteral("tev-post"), QStringLiteral("tev-post")));
    process.setArguments({name, address});
    Platform::endWithProgram(process);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::started, &loop, [&] { result.started = true; });
    QObject::connect(&process, &QProcess::finished, &loop, [&] {
        result.finished = true;
        loop.quit();
    });
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    QTimer::singleShot(ToolRunner::timeoutMs, &loop, &QEventLoop::quit);
    {
        const BusyWork busy;
        process.start(QIODevice::ReadOnly);
        if (process.state() != QProcess::NotRunning || result.finished)
            loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    // A client killed at the limit finishes too, but not in time.
    QObject::disconnect(&process, nullptr, &loop, nullptr);
    if (result.started && !result.finished) {
        process.kill();
        process.waitForFinished(ToolRunner::timeoutMs);
    }
    result.normalExit = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.output = process.readAllStandardOutput();
    ToolRunner::logToolRun(QStringLiteral("existenceCheck"), result.output,
        ToolRunner::render(QStringLiteral("tev-post/tev-post \"%1\" \"%2\" "), {name, address}));
    const QByteArray reason = process.readAllStandardError().trimmed();
    if (!reason.isEmpty())
        ToolRunner::logRecord(QString::fromUtf8(reason));
    return result;
}

bool existenceCheck(const QString &name, const ExistenceSettings &settings)
{
    if (!settings.officeUser)
        return true;
    const ExistenceVerdict verdict
        = evaluateExistence(name, runExistenceClient(name, settings.address), false, settings);
    switch (verdict.code) {
    case ExistenceCode::Question:
        return Prompter::question(nullptr, QString(), verdict.message, QMessageBox::No);
    case ExistenceCode::NoOffice:
        Prompter::warning(nullptr, QString(), verdict.message);
        return false;
    case ExistenceCode::NotArchived:
        return true;
    case ExistenceCode::NotChecked:
        break;
    }
    Prompter::warning(nullptr, QString(), verdict.message);
    return true;
}
