#pragma once

#include <memory>
#include <string>
#include <vector>

#include "dialogs/Operator.h"
#include "pads/PadTree.h"
#include "platform/Form.h"

namespace nt {

// The pad type the operator picked last, read at start-up.
inline constexpr const char* kPadSelectionFile = "padselection.dat";

// The pad type catalog: built from the payment client's pad types information at start-up; the
// operator's pick steers the requests and is remembered in padselection.dat.
class PadCatalog {
  public:
    PadCatalog(Form& form, Operator& op) : form_(form), op_(op) {}
    PadCatalog(const PadCatalog&) = delete;
    PadCatalog& operator=(const PadCatalog&) = delete;

    // The catalog from the client's information (empty when there was none) and the pick
    // remembered in padselection.dat.
    void LoadPadCatalog(const std::string& info) { BuildPadCatalog(info, LoadPadSelection()); }
    void BuildPadCatalog(const std::string& info, const std::string& savedPadType);
    std::string LoadPadSelection();
    void SavePadSelection();

    // A node of the tree was selected (a click, or a scenario's select).
    void SelectPadNode(int node);
    void OnPadTreeSelChanged(int node);
    void ApplyPadType(const std::string& name);
    void EnablePinPadIpFields();
    void OnTranEmvCheck();
    // The window goes: the tree and its records are emptied.
    void OnDestroy();

    // The request line naming the pad type in use, indented by `indent` TABs.
    std::string PadTypeElement(int indent) const;

    PadTree& padTree() { return padTree_; }
    const PadTree& padTree() const { return padTree_; }
    const std::vector<std::unique_ptr<PadTypeRecord>>& padRecords() const { return padRecords_; }

  private:
    Form& form_;
    Operator& op_;
    PadTree padTree_;
    std::vector<std::unique_ptr<PadTypeRecord>> padRecords_;
};

}  // namespace nt
