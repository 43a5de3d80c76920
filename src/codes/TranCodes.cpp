#include "codes/TranCodes.h"

namespace nt {

namespace {

// SpecOf indexes the table by the enumerator.
static_assert([] {
    for (std::size_t i = 0; i < kTranCodes.size(); ++i) {
        if (kTranCodes[i].code != static_cast<TranCode>(i)) {
            return false;
        }
    }
    return kTranCodes.back().code == TranCode::TestMode;
}());

// A written TranCode names one row: no name or RecordNo form is spelt twice.
static_assert([] {
    std::array<std::string_view, kTranCodes.size() * 2> written{};
    std::size_t count = 0;
    for (const TranCodeSpec& spec : kTranCodes) {
        written[count++] = spec.name;
        if (spec.recordNo != nullptr) {
            written[count++] = spec.recordNo;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t j = i + 1; j < count; ++j) {
            if (written[i] == written[j]) {
                return false;
            }
        }
    }
    return true;
}());

// Each button, of the window or of the gift card picker, picks one row.
template <typename IdOf>
constexpr bool UniqueIds(IdOf idOf) {
    for (std::size_t i = 0; i < kTranCodes.size(); ++i) {
        for (std::size_t j = i + 1; j < kTranCodes.size(); ++j) {
            if (idOf(kTranCodes[i]) != 0 && idOf(kTranCodes[i]) == idOf(kTranCodes[j])) {
                return false;
            }
        }
    }
    return true;
}
constexpr int CommandButtonOf(const TranCodeSpec& spec) {
    return spec.button.id;
}
constexpr int GiftButtonOf(const TranCodeSpec& spec) {
    return spec.giftButton;
}
static_assert(UniqueIds(CommandButtonOf));
static_assert(UniqueIds(GiftButtonOf));

// The row whose button `idOf` is `id`; 0 is no button.
const TranCodeSpec* FindByButton(int id, int (*idOf)(const TranCodeSpec&)) {
    if (id == 0) {
        return nullptr;
    }
    for (const TranCodeSpec& spec : kTranCodes) {
        if (idOf(spec) == id) {
            return &spec;
        }
    }
    return nullptr;
}

}  // namespace

WrittenTranCode ReadTranCode(std::string_view written) {
    for (const TranCodeSpec& spec : kTranCodes) {
        if (written == spec.name) {
            return {&spec, false};
        }
        if (spec.recordNo != nullptr && written == spec.recordNo) {
            return {&spec, true};
        }
    }
    return {};
}

const TranCodeSpec* FindTranCode(std::string_view name) {
    const WrittenTranCode written = ReadTranCode(name);
    return written.byRecordNo ? nullptr : written.spec;
}

std::string RecordNoTranCode(std::string_view tranCode) {
    const TranCodeSpec* spec = FindTranCode(tranCode);
    return std::string(spec != nullptr && spec->recordNo != nullptr ? spec->recordNo : tranCode);
}

const TranCodeSpec* FindCommandButton(int id) {
    return FindByButton(id, CommandButtonOf);
}

const TranCodeSpec* FindGiftButton(int id) {
    return FindByButton(id, GiftButtonOf);
}

}  // namespace nt
