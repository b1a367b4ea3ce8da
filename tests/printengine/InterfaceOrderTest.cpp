// The early-bound contract: each entry of _clsModStampa stands in a fixed slot
// of the virtual table, after the seven of IUnknown and IDispatch.

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "_clsModStampa.h"

using namespace velmora;

namespace {
// Itanium C++ ABI: a pointer to a virtual member holds 1 + the byte offset of its slot.
template <typename M>
std::ptrdiff_t slotOf(M m) {
    static_assert(sizeof(M) == 2 * sizeof(std::ptrdiff_t));
    std::ptrdiff_t raw[2];
    std::memcpy(raw, &m, sizeof m);
    EXPECT_EQ(raw[0] % static_cast<std::ptrdiff_t>(sizeof(void*)), 1);
    return (raw[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

struct Entry {
    int row;  // member number in the interface table
    std::string name;
    std::ptrdiff_t slot;
};
}  // namespace

#define E(row, member)                               \
    Entry {                                          \
        row, #member, slotOf(&_clsModStampa::member) \
    }

TEST(InterfaceOrder, StandardEntriesFirst) {
    EXPECT_EQ(slotOf(&com::IUnknown::QueryInterface), 0);
    EXPECT_EQ(slotOf(&com::IUnknown::AddRef), 1);
    EXPECT_EQ(slotOf(&com::IUnknown::Release), 2);
    EXPECT_EQ(slotOf(&com::IDispatch::GetTypeInfoCount), 3);
    EXPECT_EQ(slotOf(&com::IDispatch::GetTypeInfo), 4);
    EXPECT_EQ(slotOf(&com::IDispatch::GetIDsOfNames), 5);
    EXPECT_EQ(slotOf(&com::IDispatch::Invoke), 6);
}

TEST(InterfaceOrder, MembersInTheirFixedSlots) {
    const std::vector<Entry> entries = {
        E(1, get_OutputStampa),
        E(1, putref_OutputStampa),
        E(2, get_tipoObjModel),
        E(2, putref_tipoObjModel),
        E(3, get_ModifDoc),
        E(3, put_ModifDoc),
        E(4, get_fc),
        E(4, put_fc),
        E(5, get_errStampa),
        E(5, put_errStampa),
        E(6, AggiungiPagina),
        E(7, AggiungiClasseComando),
        E(8, put_Anteprima),
        E(9, put_SpaziaturaLinea),
        E(9, get_SpaziaturaLinea),
        E(10, put_PaperSize),
        E(11, get_Copies),
        E(11, put_Copies),
        E(12, put_NomeDocumento),
        E(12, get_NomeDocumento),
        E(13, put_nomedir),
        E(14, get_ErroreStampa),
        E(15, get_nomedir),
        E(16, put_NomeSoftware),
        E(16, get_NomeSoftware),
        E(17, put_TipoDocumento),
        E(17, get_TipoDocumento),
        E(18, put_PrintQuality),
        E(19, put_Orientation),
        E(20, get_FontCount),
        E(21, get_Fonts),
        E(22, get_Page),
        E(23, get_PagineTotAnteprima),
        E(24, ShowPrinterProperties),
        E(25, ShowPrinterSetup),
        E(26, TextWidth),
        E(27, TextHeight),
        E(28, EndDoc),
        E(29, AvviaCreaModuli),
        E(30, NewPage),
        E(31, KillDoc),
        E(32, LoadComboPrinters),
        E(33, StampaTesto),
        E(34, StampaRettangolo),
        E(35, StampaImmagine),
        E(36, stampaLinea),
        E(37, stampacerchio),
        E(38, StampaCodBarre),
        E(39, StampaMemo),
        E(40, Estrai_Valore),
        E(41, estraiRigaDescr),
        E(42, GetPrinterOffsets),
        E(43, SalvaModello),
        E(44, LeggiModello),
        E(45, stampaarco),
        E(46, stampaPolilinea),
        E(47, stampaSuperficie),
        E(48, ComandoValido),
        E(49, CaricaObjModel),
        E(50, StampaObjModel),
        E(51, StampaCampoColonna),
        E(52, StampaCampo),
        E(53, StampaLineeCorpoDoc),
        E(54, StampaRiepilogoIVA),
        E(55, StampaIdCarcassa),
        E(56, esisteObj),
        E(57, RimuoviComando),
        E(58, set_tipoOggetto),
        E(59, set_tipoOggetti),
        E(60, RiempiListaDB),
        E(61, eseguiComandoModifica_su_SupRetCerch),
        E(62, eseguiComandoModifica_su_PolArcLin),
        E(63, eseguiComandoModifica_su_Testi),
        E(64, eseguiComandoModifica_su_TestiEstesi),
        E(65, eseguiComandoModifica_su_Immagini),
        E(66, eseguiComandoModifica_su_ObjModel),
        E(67, Aggiungi_ObjModel),
        E(68, avviaModifica_oneObjModelDis),
        E(69, selezOggetti),
        E(70, selezFin),
        E(71, selezInters),
        E(72, selezintersStira),
        E(73, AnnullaStatoComandi),
        E(74, StampaArrayEtichette),
        E(75, Pic_VisualizzaOggetto),
        E(76, put_PercText),
        E(76, get_PercText),
        E(77, StampaRigoDDTMac),
        E(78, ImpostaPagina_Modello),
    };
    std::set<int> rows;
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].slot, static_cast<std::ptrdiff_t>(7 + i)) << entries[i].name;
        if (i) EXPECT_GE(entries[i].row, entries[i - 1].row) << entries[i].name;
        rows.insert(entries[i].row);
    }
    EXPECT_EQ(rows.size(), 78u);
    EXPECT_EQ(*rows.begin(), 1);
    EXPECT_EQ(*rows.rbegin(), 78);
}

TEST(InterfaceOrder, Identities) {
    EXPECT_EQ(com::guidToString(CLSID_clsModStampa), "{21A92FAF-E7D7-4945-ABEE-4A9065928CF9}");
    EXPECT_EQ(com::guidToString(IID__clsModStampa), "{FAACA69F-6B51-409D-B389-9429EB18AE5A}");
    EXPECT_EQ(com::guidToString(LIBID_Velmora), "{51732C9C-3EBC-4242-A987-FDD98E7F7ED4}");
    EXPECT_EQ(com::guidToString(GUID_Dimensioni_Foglio), "{54F79385-E877-435F-88DF-1FEDAD42536B}");
    EXPECT_EQ(com::guidToString(GUID_QualitaDiStampa), "{C978F6D3-992E-413D-A99E-40070BF6F0AF}");
    EXPECT_EQ(com::guidToString(GUID_TipoStampa), "{B8BC8114-1912-481C-A144-B68C64019B94}");
    EXPECT_EQ(com::guidToString(GUID_OrientamentoDelFoglio),
              "{D0D90DF7-4CA6-47E2-8D74-A8FE6AA9E63E}");
    EXPECT_EQ(std::u16string(ProgID_clsModStampa), u"Velmora.clsModStampa");
    EXPECT_EQ(Busta9, 19);
    EXPECT_EQ(Nota, 18);
    EXPECT_EQ(User, 256);
    EXPECT_EQ(AltaRisoluzione, -4);
    EXPECT_EQ(Orizzontale, 2);
    EXPECT_EQ(Colori, 2);
}
