// Typesets the help text into the PDF that the help action opens. The text is plain UTF-8:
// a line starting with "# " is a heading, "- " a list item, an empty line ends a paragraph.
#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <cstdio>

static QString toHtml(const QString &text)
{
    QString html;
    bool inList = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const bool item = line.startsWith(QLatin1String("- "));
        if (inList && !item) {
            html += QLatin1String("</ul>");
            inList = false;
        }
        if (line.startsWith(QLatin1String("# "))) {
            html += QLatin1String("<h2>") + line.mid(2).toHtmlEscaped() + QLatin1String("</h2>");
        } else if (item) {
            if (!inList)
                html += QLatin1String("<ul>");
            inList = true;
            html += QLatin1String("<li>") + line.mid(2).toHtmlEscaped() + QLatin1String("</li>");
        } else if (!line.trimmed().isEmpty()) {
            html += QLatin1String("<p>") + line.toHtmlEscaped() + QLatin1String("</p>");
        }
    }
    if (inList)
        html += QLatin1String("</ul>");
    return html;
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "helpgen: usage: helpgen <text> <pdf>\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "helpgen: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    document.setHtml(toHtml(QString::fromUtf8(source.readAll())));

    QSaveFile target(QString::fromLocal8Bit(argv[2]));
    if (!target.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "helpgen: cannot write %s\n", argv[2]);
        return 1;
    }
    {
        QPdfWriter writer(&target);
        writer.setTitle(QStringLiteral("Tevora - pomoč"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        document.print(&writer);
    }
    return target.commit() ? 0 : 1;
}
