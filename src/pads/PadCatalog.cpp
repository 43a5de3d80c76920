#include "pads/PadCatalog.h"

#include <map>

#include "form/Controls.h"
#include "pads/PadTypeLine.h"
#include "platform/TextFile.h"
#include "text/TagIndex.h"

namespace nt {

namespace {

std::string WithoutTrailingSpace(std::string text) {
    size_t end = text.find_last_not_of(" \t\r\n\v\f");
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

}  // namespace

std::string PadCatalog::LoadPadSelection() {
    auto line = ReadFirstLine(kPadSelectionFile);
    return line ? WithoutTrailingSpace(std::move(*line)) : std::string();
}

void PadCatalog::SavePadSelection() {
    int selected = padTree_.Selected();
    if (selected == PadTree::kNone || padTree_.Data(selected) == nullptr) {
        return;
    }
    WriteFileAtomic(kPadSelectionFile, padTree_.Data(selected)->padTypeId + "\r\n");
}

void PadCatalog::BuildPadCatalog(const std::string& info, const std::string& saved) {
    padTree_.SuspendRedraw();
    padTree_.DeleteAllItems();
    padRecords_.clear();

    std::map<std::string, int> processors;
    std::map<std::string, int> manufacturers;  // processor + "|" + manufacturer
    const int root = padTree_.InsertItem("Processor", PadTree::kNone);
    int remembered = PadTree::kNone;
    TagIndex tags(info);
    for (int n = 1;; ++n) {
        const std::string number = std::to_string(n);
        std::string padTypeId = tags.Value("PadTypeID" + number);
        if (padTypeId.empty()) {
            break;
        }
        std::string processor = tags.Value("Processor" + number);
        std::string manufacturer = tags.Value("Manufacturer" + number);
        auto [proc, newProcessor] = processors.try_emplace(processor, PadTree::kNone);
        if (newProcessor) {
            proc->second = padTree_.InsertItem(processor, root);
        }
        auto [manu, newManufacturer] =
            manufacturers.try_emplace(processor + "|" + manufacturer, PadTree::kNone);
        if (newManufacturer) {
            manu->second = padTree_.InsertItem(manufacturer, proc->second);
        }
        auto record = std::make_unique<PadTypeRecord>(
            PadTypeRecord{std::move(processor), std::move(manufacturer), padTypeId});
        int leaf = padTree_.InsertItem(padTypeId, manu->second, record.get());
        padRecords_.push_back(std::move(record));
        if (!saved.empty() && saved == padTypeId) {
            remembered = leaf;  // the last match wins
        }
    }
    padTree_.ResumeRedraw();

    if (remembered != PadTree::kNone) {
        SelectPadNode(remembered);
        padTree_.EnsureVisible(remembered);
        ApplyPadType(padTree_.Data(remembered)->padTypeId);
    } else {
        ApplyPadType("");
    }
}

void PadCatalog::SelectPadNode(int node) {
    padTree_.Select(node);
    OnPadTreeSelChanged(node);
}

void PadCatalog::OnPadTreeSelChanged(int node) {
    if (node != PadTree::kNone && padTree_.Data(node) != nullptr) {
        ApplyPadType(padTree_.Data(node)->padTypeId);
    }
}

void PadCatalog::ApplyPadType(const std::string& name) {
    form_.SetVisible(id::kGiftCards, false);
    if (name.find("POSPAD") != std::string::npos) {
        form_.SetChecked(id::kAllowPartialAuth, true);
    }
    if (form_.Text(id::kHostOrIp).compare(0, 4, "127.") != 0) {
        form_.SetText(id::kHostOrIp, "127.0.0.1");
    }
    EnablePinPadIpFields();
}

void PadCatalog::EnablePinPadIpFields() {
    for (int control : {id::kPinPadIpAddressLabel, id::kPinPadIpPortLabel, id::kPinPadIpAddress,
                        id::kPinPadIpPort}) {
        form_.SetEnabled(control, true);
    }
}

void PadCatalog::OnTranEmvCheck() {
    if (form_.Checked(id::kTranEmv)) {
        padTree_.SetEnabled(false);
        op_.Message(
            "Some Fields in this interface are Ignored.\r\nSome Functions(Buttons) have no "
            "effect");
        form_.SetText(id::kMerchantId, "");
        form_.SetText(id::kTerminalId, "");
        form_.SetVisible(id::kGiftCards, true);
        EnablePinPadIpFields();
        return;
    }
    padTree_.SetEnabled(true);
    int selected = padTree_.Selected();
    bool leaf = selected != PadTree::kNone && padTree_.Data(selected) != nullptr;
    ApplyPadType(leaf ? padTree_.Data(selected)->padTypeId : std::string());
}

void PadCatalog::OnDestroy() {
    padTree_.DeleteAllItems();
    padRecords_.clear();
}

std::string PadCatalog::PadTypeElement(int indent) const {
    return nt::PadTypeElement(form_, padTree_, indent);
}

}  // namespace nt
