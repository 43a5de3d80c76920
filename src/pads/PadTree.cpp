#include "pads/PadTree.h"

namespace nt {

void PadTree::ResumeRedraw() {
    suspended_ = false;
    if (observer_ != nullptr) {
        observer_->OnTreeRebuilt();
    }
}

void PadTree::DeleteAllItems() {
    nodes_.clear();
    roots_.clear();
    selected_ = kNone;
    if (!suspended_ && observer_ != nullptr) {
        observer_->OnTreeRebuilt();
    }
}

int PadTree::InsertItem(const std::string& text, int parent, PadTypeRecord* data) {
    int node = static_cast<int>(nodes_.size());
    nodes_.push_back(Node{text, parent, data, {}});
    if (parent == kNone) {
        roots_.push_back(node);
    } else {
        nodes_[static_cast<size_t>(parent)].children.push_back(node);
    }
    if (!suspended_ && observer_ != nullptr) {
        observer_->OnTreeRebuilt();
    }
    return node;
}

const std::vector<int>& PadTree::Children(int node) const {
    return node == kNone ? roots_ : nodes_[static_cast<size_t>(node)].children;
}

std::vector<int> PadTree::TreeOrder() const {
    std::vector<int> order;
    order.reserve(nodes_.size());
    std::vector<int> stack(roots_.rbegin(), roots_.rend());
    while (!stack.empty()) {
        int node = stack.back();
        stack.pop_back();
        order.push_back(node);
        const auto& kids = nodes_[static_cast<size_t>(node)].children;
        stack.insert(stack.end(), kids.rbegin(), kids.rend());
    }
    return order;
}

int PadTree::FindLeaf(const std::string& padTypeId) const {
    for (int node : TreeOrder()) {
        if (Data(node) != nullptr && Data(node)->padTypeId == padTypeId) {
            return node;
        }
    }
    return kNone;
}

int PadTree::FindNode(const std::string& text) const {
    for (int node : TreeOrder()) {
        if (Text(node) == text) {
            return node;
        }
    }
    return kNone;
}

void PadTree::Select(int node) {
    if (node != kNone && (node < 0 || static_cast<size_t>(node) >= nodes_.size())) {
        return;
    }
    selected_ = node;
    if (observer_ != nullptr) {
        observer_->OnSelectionChanged(node);
    }
}

void PadTree::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (observer_ != nullptr) {
        observer_->OnEnabledChanged(enabled);
    }
}

}  // namespace nt
