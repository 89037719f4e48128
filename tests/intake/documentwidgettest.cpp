#include "intake/documentwidget.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <poppler-qt6.h>

class DocumentWidgetTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString pdf;

    qint64 pictureKey(const DocumentWidget &widget) { return widget.pixmap().cacheKey(); }

private slots:
    void initTestCase()
    {
        pdf = dir.filePath(QStringLiteral("tri strani.pdf"));
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&writer);
        for (int page = 1; page <= 3; ++page) {
            painter.drawText(QPointF(200, 200), QString::number(page));
            if (page < 3)
                writer.newPage();
        }
    }

    void loadingShowsPageOneAndAlwaysSaysSo()
    {
        DocumentWidget widget;
        QSignalSpy pages(&widget, &DocumentWidget::pageChanged);
        QVERIFY(widget.setDocument(pdf, 0));
        QCOMPARE(pages.count(), 1);
        QCOMPARE(pages.takeFirst().at(0).toInt(), 1);
        QVERIFY(!widget.pixmap().isNull());
        QCOMPARE(widget.pageCount(), 3);
        QVERIFY(widget.setDocument(pdf, 0));
        QCOMPARE(pages.count(), 1);
    }

    void thePageShownRendersNothing()
    {
        DocumentWidget widget;
        QVERIFY(widget.setDocument(pdf, 0));
        QSignalSpy pages(&widget, &DocumentWidget::pageChanged);
        const qint64 before = pictureKey(widget);
        widget.setPage(1);
        QCOMPARE(pages.count(), 0);
        QCOMPARE(pictureKey(widget), before);
        widget.setPage(3);
        QCOMPARE(pages.count(), 1);
        QCOMPARE(widget.currentPageNumber(), 3);
        widget.setPage(4);
        widget.setPage(0);
        QCOMPARE(widget.currentPageNumber(), 3);
        QCOMPARE(pages.count(), 1);
    }

    void zoomScalesThePicture()
    {
        DocumentWidget widget;
        QVERIFY(widget.setDocument(pdf, 0));
        const QSize normal = widget.pixmap().size();
        widget.scaleDocument(6);
        QCOMPARE(widget.scale(), 2.0);
        const QSize doubled = widget.pixmap().size();
        QVERIFY(qAbs(doubled.width() - 2 * normal.width()) <= 2);
        QVERIFY(qAbs(doubled.height() - 2 * normal.height()) <= 2);
        const qint64 before = pictureKey(widget);
        widget.scaleDocument(6);
        QCOMPARE(pictureKey(widget), before);
    }

    void aQuarterTurnGivesALandscapePicture()
    {
        DocumentWidget widget;
        QVERIFY(widget.setDocument(pdf, 0));
        QVERIFY(widget.pixmap().height() > widget.pixmap().width());
        QVERIFY(widget.setDocument(pdf, 1));
        QVERIFY(widget.pixmap().width() > widget.pixmap().height());
    }

    void aFailedLoadLeavesNoDocumentButThePicture()
    {
        DocumentWidget widget;
        QVERIFY(widget.setDocument(pdf, 0));
        const qint64 before = pictureKey(widget);
        QVERIFY(!widget.setDocument(dir.filePath(QStringLiteral("ni.pdf")), 0));
        QVERIFY(!widget.document());
        QCOMPARE(pictureKey(widget), before);
        QSignalSpy pages(&widget, &DocumentWidget::pageChanged);
        widget.setPage(2);
        QCOMPARE(pages.count(), 0);
    }

    void closingClearsThePictureAndKeepsTheScale()
    {
        DocumentWidget widget;
        QVERIFY(widget.setDocument(pdf, 0));
        widget.scaleDocument(0);
        widget.closeDocument();
        QVERIFY(!widget.document());
        QVERIFY(widget.pixmap().isNull());
        QCOMPARE(widget.scale(), 0.25);
    }
};

QTEST_MAIN(DocumentWidgetTest)
#include "documentwidgettest.moc"
