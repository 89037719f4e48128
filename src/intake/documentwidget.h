#pragma once

#include <QLabel>
#include <QVector>
#include <memory>

class QComboBox;
class QScrollArea;
class QSpinBox;

namespace Poppler {
class Document;
}

// Shows one page of a PDF as a picture, at a chosen scale and rotation.
class DocumentWidget : public QLabel
{
    Q_OBJECT
public:
    explicit DocumentWidget(QWidget *parent = nullptr);
    ~DocumentWidget() override;

    // Loads the PDF (no passwords) and shows its first page, always emitting pageChanged(1).
    // A file that does not load, or is locked by a password, leaves the widget without a
    // document and the last picture on screen.
    bool setDocument(const QString &path, int rotation);
    // Releases the document, so that its file can be replaced, and clears the picture. The
    // scale and the page number stay.
    void closeDocument();
    Poppler::Document *document() const { return doc.get(); }
    int pageCount() const;
    int currentPageNumber() const { return currentPage + 1; }
    double scale() const { return scaleFactor; }

    // Changes the scale and renders the page again; the same scale renders nothing.
    void setScale(double scale);

    static const QVector<double> &zoomFactors();

    // Makes the preview of a form: a widget shown in `area` (which owns it), driven by the
    // form's page spin box and zoom list, and keeping the spin box on the page it shows.
    static DocumentWidget *placeIn(QScrollArea *area, QSpinBox *pages, QComboBox *zoom);

signals:
    // The 1-based number of the page now shown.
    void pageChanged(int currentPage);

public slots:
    // Shows the 1-based page; the page already shown and pages out of range are ignored.
    void setPage(int page);
    // Renders the current page again.
    void setPage();
    // Sets the scale of the zoom entry with this index.
    void scaleDocument(int index);

private:
    void showPage(int page);

    std::unique_ptr<Poppler::Document> doc;
    int currentPage = -1;
    double scaleFactor = 1.0;
    int rotation = 0;
};
