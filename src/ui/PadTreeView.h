#pragma once

#include <QObject>
#include <functional>
#include <vector>

#include "pads/PadTree.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace nt {

class CTestPosDlg;

// Draws the window logic's pad type tree in the QTreeWidget 1203 and forwards the operator's
// selection back to it. Changes made by the program are drawn without being forwarded again.
class PadTreeView : public QObject, public PadTreeObserver {
    Q_OBJECT

  public:
    // The window logic forgets the view when it is destroyed, which must happen first. The
    // operator's selection goes to `select`.
    PadTreeView(QTreeWidget* widget, CTestPosDlg& dlg, std::function<void(int node)> select);

    void OnTreeRebuilt() override;
    void OnSelectionChanged(int node) override;
    void OnEnabledChanged(bool enabled) override;
    void OnEnsureVisible(int node) override;

  private:
    void OnCurrentItemChanged(QTreeWidgetItem* item);
    QTreeWidgetItem* Item(int node) const;

    QTreeWidget* widget_;
    CTestPosDlg& dlg_;
    std::function<void(int node)> select_;
    std::vector<QTreeWidgetItem*> items_;  // by node number
    bool syncing_ = false;
};

}  // namespace nt
