#include "documentwidget.h"

#include <QComboBox>
#include <QScrollArea>
#include <QSpinBox>

#include <poppler-qt6.h>

DocumentWidget::DocumentWidget(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

DocumentWidget::~DocumentWidget() = default;

DocumentWidget *DocumentWidget::placeIn(QScrollArea *area, QSpinBox *pages, QComboBox *zoom)
{
    auto *widget = new DocumentWidget;
    area->setWidget(widget);
    connect(pages, qOverload<int>(&QSpinBox::valueChanged), widget,
        qOverload<int>(&DocumentWidget::setPage));
    connect(widget, &DocumentWidget::pageChanged, pages, &QSpinBox::setValue);
    connect(zoom, qOverload<int>(&QComboBox::currentIndexChanged), widget,
        &DocumentWidget::scaleDocument);
    return widget;
}

const QVector<double> &DocumentWidget::zoomFactors()
{
    static const QVector<double> factors {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
    return factors;
}

bool DocumentWidget::setDocument(const QString &path, int quarterTurns)
{
    std::unique_ptr<Poppler::Document> loaded
        = Poppler::Document::load(path, QByteArray(), QByteArray());
    rotation = quarterTurns;
    if (!loaded || loaded->isLocked()) {
        doc.reset();
        return false;
    }
    doc = std::move(loaded);
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    currentPage = -1;
    setPage(1);
    return true;
}

void DocumentWidget::closeDocument()
{
    if (!doc)
        return;
    doc.reset();
    clear();
}

int DocumentWidget::pageCount() const
{
    return doc ? doc->numPages() : 0;
}

void DocumentWidget::setPage(int page)
{
    if (page != currentPage + 1)
        showPage(page);
}

void DocumentWidget::setPage()
{
    showPage(-1);
}

void DocumentWidget::setScale(double scale)
{
    if (scale == scaleFactor)
        return;
    scaleFactor = scale;
    showPage(-1);
}

void DocumentWidget::scaleDocument(int index)
{
    if (index >= 0 && index < zoomFactors().size())
        setScale(zoomFactors().at(index));
}

void DocumentWidget::showPage(int page)
{
    if (!doc || (page != -1 && (page < 1 || page > doc->numPages())))
        return;
    if (page != -1 && page != currentPage + 1) {
        currentPage = page - 1;
        emit pageChanged(page);
    }
    std::unique_ptr<Poppler::Page> shown = doc->page(currentPage);
    if (!shown)
        return;
    // Rendered at the screen's pixel density as well, so the page stays sharp on dense screens.
    const qreal ratio = devicePixelRatioF();
    const QImage image = shown->renderToImage(scaleFactor * physicalDpiX() * ratio,
        scaleFactor * physicalDpiY() * ratio, -1, -1, -1, -1,
        static_cast<Poppler::Page::Rotation>(rotation & 3));
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    setPixmap(pixmap);
}
