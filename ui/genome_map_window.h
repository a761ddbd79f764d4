// "Genome Map...": the cohort's variants on the ring of the mitogenome, the
// picture `corvella-cli map` saves, laid out again whenever the window is
// resized. The line under the map names the variant under the pointer;
// "Save As..." stores the map as shown in one of the four picture types.
#pragma once

#include <QDialog>
#include <QWidget>
#include <vector>

#include "core/workspace.h"
#include "output/genome_map.h"
#include "ui/dialogs.h"

class QLabel;
class QPushButton;

namespace corvella {

// The map itself: paints the GenomeMap laid out at the widget's size.
class GenomeMapView : public QWidget {
    Q_OBJECT
public:
    GenomeMapView(const Workspace& ws, QWidget* parent = nullptr);
    const GenomeMap& map() const { return map_; }
    // The text for the bar under a point of the widget; empty off the bars.
    QString text_at(QPointF point) const;

signals:
    void pointed(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const Workspace& ws_;
    std::vector<MapBar> bars_;  // classified once; laid out at each size
    GenomeMap map_;
};

class GenomeMapWindow : public QDialog {
public:
    GenomeMapWindow(const Workspace& ws, Dialogs& dialogs, QWidget* parent = nullptr);
    GenomeMapView* view() const { return view_; }
    QLabel* pointer_label() const { return pointer_; }
    QPushButton* save_button() const { return save_; }
    // "Save As...": the dialog of the four picture types.
    void save();

private:
    Dialogs& dialogs_;
    GenomeMapView* view_;
    QLabel* pointer_;
    QPushButton* save_;
};

}  // namespace corvella
