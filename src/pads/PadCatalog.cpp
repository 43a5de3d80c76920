#include <map>

#include "app/Controls.h"
#include "app/TestPosDlg.h"
#include "pads/PadTypesInfoDlg.h"
#include "pads/TagIndex.h"
#include "platform/TextFile.h"

namespace nt {

namespace {

std::string WithoutTrailingSpace(std::string text) {
    size_t end = text.find_last_not_of(" \t\r\n\v\f");
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

}  // namespace

std::string CTestPosDlg::LoadPadSelection() {
    auto line = ReadFirstLine(kPadSelectionFile);
    return line ? WithoutTrailingSpace(std::move(*line)) : std::string();
}

void CTestPosDlg::SavePadSelection() {
    int selected = m_padTree.Selected();
    if (selected == PadTree::kNone || m_padTree.Data(selected) == nullptr) {
        return;
    }
    WriteFileAtomic(kPadSelectionFile, m_padTree.Data(selected)->padTypeId + "\r\n");
}

void CTestPosDlg::LoadPadCatalog() {
    std::string info = GetPadTypesInfo().value_or(std::string());
    BuildPadCatalog(info, LoadPadSelection());
}

void CTestPosDlg::BuildPadCatalog(const std::string& info, const std::string& saved) {
    m_padTree.SuspendRedraw();
    m_padTree.DeleteAllItems();
    m_padRecords.clear();

    std::map<std::string, int> processors;
    std::map<std::string, int> manufacturers;  // processor + "|" + manufacturer
    const int root = m_padTree.InsertItem("Processor", PadTree::kNone);
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
            proc->second = m_padTree.InsertItem(processor, root);
        }
        auto [manu, newManufacturer] =
            manufacturers.try_emplace(processor + "|" + manufacturer, PadTree::kNone);
        if (newManufacturer) {
            manu->second = m_padTree.InsertItem(manufacturer, proc->second);
        }
        auto record = std::make_unique<PadTypeRecord>(
            PadTypeRecord{std::move(processor), std::move(manufacturer), padTypeId});
        int leaf = m_padTree.InsertItem(padTypeId, manu->second, record.get());
        m_padRecords.push_back(std::move(record));
        if (!saved.empty() && saved == padTypeId) {
            remembered = leaf;  // the last match wins
        }
    }
    m_padTree.ResumeRedraw();

    if (remembered != PadTree::kNone) {
        SelectPadNode(remembered);
        m_padTree.EnsureVisible(remembered);
        ApplyPadType(m_padTree.Data(remembered)->padTypeId);
    } else {
        ApplyPadType("");
    }
}

void CTestPosDlg::SelectPadNode(int node) {
    m_padTree.Select(node);
    OnPadTreeSelChanged(node);
}

void CTestPosDlg::OnPadTreeSelChanged(int node) {
    if (node != PadTree::kNone && m_padTree.Data(node) != nullptr) {
        ApplyPadType(m_padTree.Data(node)->padTypeId);
    }
}

void CTestPosDlg::ApplyPadType(const std::string& name) {
    form_.SetVisible(id::kGiftCards, false);
    if (name.find("POSPAD") != std::string::npos) {
        form_.SetChecked(id::kAllowPartialAuth, true);
    }
    if (form_.Text(id::kHostOrIp).compare(0, 4, "127.") != 0) {
        form_.SetText(id::kHostOrIp, "127.0.0.1");
    }
    EnablePinPadIpFields();
}

void CTestPosDlg::EnablePinPadIpFields() {
    for (int control : {id::kPinPadIpAddressLabel, id::kPinPadIpPortLabel, id::kPinPadIpAddress,
                        id::kPinPadIpPort}) {
        form_.SetEnabled(control, true);
    }
}

void CTestPosDlg::OnTranEmvCheck() {
    if (form_.Checked(id::kTranEmv)) {
        m_padTree.SetEnabled(false);
        op_.Message(
            "Some Fields in this interface are Ignored.\r\nSome Functions(Buttons) have no "
            "effect");
        form_.SetText(id::kMerchantId, "");
        form_.SetText(id::kTerminalId, "");
        form_.SetVisible(id::kGiftCards, true);
        EnablePinPadIpFields();
        return;
    }
    m_padTree.SetEnabled(true);
    int selected = m_padTree.Selected();
    bool leaf = selected != PadTree::kNone && m_padTree.Data(selected) != nullptr;
    ApplyPadType(leaf ? m_padTree.Data(selected)->padTypeId : std::string());
}

void CTestPosDlg::OnGetPadTypesInfo() {
    std::optional<std::string> info = GetPadTypesInfo();
    if (!info) {
        return;  // the operator has been told why; no dialog
    }
    CPadTypesInfoDlg dlg;
    dlg.m_text = std::move(*info);
    op_.RunPadTypesInfo(dlg);
}

void CTestPosDlg::OnDestroy() {
    m_padTree.DeleteAllItems();
    m_padRecords.clear();
}

}  // namespace nt
