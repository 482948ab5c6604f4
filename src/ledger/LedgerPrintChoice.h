#pragma once

#include <optional>

namespace tamevo {

// The items of the ledger's print group "Raporlama Seçenekleri", in its order.
enum class LedgerReportChoice {
    GunlukKasa,
    GunlukKasaDetay,
    IkiTarihArasi,
    IkiTarihDetay,
    IslemTuru,
    GunToplamlari
};

// What "YAZDIR" of the ledger prints: the print group's item (none when none is ticked) and
// "Kısa Açıklama". The ledger window announces it whenever the user changes it; the period
// reports read it at the moment they print.
struct LedgerPrintChoice {
    std::optional<LedgerReportChoice> report = LedgerReportChoice::GunlukKasa;
    bool shortDescription = false;
};

}  // namespace tamevo
