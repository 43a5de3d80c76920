#pragma once

#include <memory>
#include <string>
#include <vector>

namespace nt {

// The pad type a leaf of the catalog tree stands for.
struct PadTypeRecord {
    std::string processor;
    std::string manufacturer;
    std::string padTypeId;
};

// Told about changes of the tree, so a drawn tree can follow the model.
class PadTreeObserver {
  public:
    virtual ~PadTreeObserver() = default;
    virtual void OnTreeRebuilt() = 0;
    virtual void OnSelectionChanged(int node) = 0;
    virtual void OnEnabledChanged(bool enabled) = 0;
    // The node's ancestors are expanded and the view scrolled to it.
    virtual void OnEnsureVisible(int node) = 0;
};

// The pad type tree of the main window, free of any toolkit. Nodes are numbered in insertion
// order; children keep their insertion order. Leaves carry their record as item data.
class PadTree {
  public:
    static constexpr int kNone = -1;

    void SetObserver(PadTreeObserver* observer) { observer_ = observer; }

    // Redrawing is suspended between these; the drawn tree is rebuilt once at the end.
    void SuspendRedraw() { suspended_ = true; }
    void ResumeRedraw();

    void DeleteAllItems();
    int InsertItem(const std::string& text, int parent, PadTypeRecord* data = nullptr);

    size_t size() const { return nodes_.size(); }
    const std::string& Text(int node) const { return nodes_[static_cast<size_t>(node)].text; }
    PadTypeRecord* Data(int node) const { return nodes_[static_cast<size_t>(node)].data; }
    int Parent(int node) const { return nodes_[static_cast<size_t>(node)].parent; }
    const std::vector<int>& Children(int node) const;
    const std::vector<int>& Roots() const { return roots_; }
    // Every node in tree order (depth first, children in order).
    std::vector<int> TreeOrder() const;
    // The first leaf in tree order whose pad type is padTypeId; kNone when there is none.
    int FindLeaf(const std::string& padTypeId) const;
    // The first node of any level in tree order whose text is text; kNone when there is none.
    int FindNode(const std::string& text) const;

    int Selected() const { return selected_; }
    // Selects a node (kNone clears the selection); the observer hears of it. The selection
    // handler of the window is run by whoever forwards the click, not here.
    void Select(int node);

    void EnsureVisible(int node) {
        if (observer_ != nullptr) {
            observer_->OnEnsureVisible(node);
        }
    }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

  private:
    struct Node {
        std::string text;
        int parent;
        PadTypeRecord* data;
        std::vector<int> children;
    };
    std::vector<Node> nodes_;
    std::vector<int> roots_;
    int selected_ = kNone;
    bool enabled_ = true;
    bool suspended_ = false;
    PadTreeObserver* observer_ = nullptr;
};

}  // namespace nt
