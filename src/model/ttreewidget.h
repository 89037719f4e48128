#pragma once

#include <QTreeWidget>

class MainWindow;
class TTreeElaborat;

// The main window's tree of open elaborates. One of them is current: the commands act on it,
// its root is shown in bold and the main window's actions follow its state.
class TTreeWidget : public QTreeWidget
{
    Q_OBJECT
public:
    explicit TTreeWidget(QWidget *parent = nullptr);
    ~TTreeWidget() override;

    MainWindow *mainWindow = nullptr;

    // The elaborat the commands act on, or none.
    TTreeElaborat *currentElaborat() const { return current; }
    // Makes `elaborat` (or none) current: the old one's root goes back to normal weight and its
    // attribute table loses its selection and current cell; with `clearCurrentItem` the view's
    // current item is cleared; the main window re-evaluates its actions; the new root is bold.
    // Nothing happens when it is current already.
    void setCurrentElaborat(TTreeElaborat *elaborat, bool clearCurrentItem);

    // The elaborat that contains the item (walking up its parents), or nullptr.
    static TTreeElaborat *elaboratOf(const QTreeWidgetItem *item);
    // The current elaborat of `view` when it is a TTreeWidget; nullptr otherwise.
    static TTreeElaborat *currentElaboratOf(const QTreeWidget *view);

    // Called by an elaborat that is being deleted, so that it is no longer current.
    void forgetElaborat(const TTreeElaborat *elaborat);

public slots:
    // The elaborat of the first selected item becomes current.
    void onItemSelectionChanged();

protected slots:
    void rowsInserted(const QModelIndex &parent, int start, int end) override;
    void updateEditorGeometries() override;

private:
    static void setRootWeight(TTreeElaborat *elaborat, QFont::Weight weight);

    TTreeElaborat *current = nullptr;
    bool inserting = false;
    bool editorUpdatePending = false;
};
