#include "ui/PadTreeView.h"

#include <QTreeWidget>

#include "app/TestPosDlg.h"
#include "ui/ControlWidgets.h"
#include "ui/CoreText.h"
#include "ui/Guard.h"
#include "ui/QtText.h"

namespace nt {

PadTreeView::PadTreeView(QTreeWidget* widget, CTestPosDlg& dlg, std::function<void(int)> select)
    : widget_(widget), dlg_(dlg), select_(std::move(select)) {
    dlg_.padCatalog().padTree().SetObserver(this);
    connect(widget_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { OnCurrentItemChanged(item); });
    OnTreeRebuilt();
}

QTreeWidgetItem* PadTreeView::Item(int node) const {
    if (node < 0 || static_cast<size_t>(node) >= items_.size()) {
        return nullptr;
    }
    return items_[static_cast<size_t>(node)];
}

void PadTreeView::OnTreeRebuilt() {
    const PadTree& tree = dlg_.padCatalog().padTree();
    syncing_ = true;
    widget_->setUpdatesEnabled(false);
    widget_->clear();
    items_.assign(tree.size(), nullptr);
    // Parents are always inserted before their children, so one pass in node order suffices.
    for (size_t node = 0; node < tree.size(); ++node) {
        const int parent = tree.Parent(static_cast<int>(node));
        QTreeWidgetItem* item = parent == PadTree::kNone ? new QTreeWidgetItem(widget_)
                                                         : new QTreeWidgetItem(Item(parent));
        const std::string& text = tree.Text(static_cast<int>(node));
        // The root names the level below ("Processor"): a word of the window's language.
        item->setText(0, parent == PadTree::kNone ? TrCore(ToQt(text)) : ToQt(text));
        item->setData(0, kCoreTextRole, QByteArray::fromStdString(text));
        item->setData(0, Qt::UserRole, static_cast<int>(node));
        items_[node] = item;
    }
    widget_->setUpdatesEnabled(true);
    syncing_ = false;
    OnSelectionChanged(tree.Selected());
    OnEnabledChanged(tree.Enabled());
}

void PadTreeView::OnSelectionChanged(int node) {
    syncing_ = true;
    QTreeWidgetItem* item = Item(node);
    if (item != nullptr) {
        widget_->setCurrentItem(item);
    } else {
        widget_->setCurrentItem(nullptr);
        widget_->clearSelection();
    }
    syncing_ = false;
}

void PadTreeView::OnEnabledChanged(bool enabled) {
    widget_->setEnabled(enabled);
}

void PadTreeView::OnEnsureVisible(int node) {
    if (QTreeWidgetItem* item = Item(node)) {
        widget_->scrollToItem(item);
    }
}

void PadTreeView::OnCurrentItemChanged(QTreeWidgetItem* item) {
    if (syncing_ || item == nullptr) {
        return;
    }
    const int node = item->data(0, Qt::UserRole).toInt();
    Guarded("pad type selection", [&] { select_(node); });
}

}  // namespace nt
