#pragma once

// The print library's public contract: identities, published enumerations and
// the dual interface of clsModStampa with its entries in their fixed order.
// Clients include this header and create the class through the component
// layer; they never link the library.

#include "Com.h"

namespace velmora {

using com::BSTR;
using com::HRESULT;
using com::IDispatch;
using com::SAFEARRAY;
using com::VARIANT;
using com::VARIANT_BOOL;

inline constexpr com::GUID LIBID_Velmora =
    com::makeGuid(0x51732C9C, 0x3EBC, 0x4242, 0xA9, 0x87, 0xFD, 0xD9, 0x8E, 0x7F, 0x7E, 0xD4);
inline constexpr com::CLSID CLSID_clsModStampa =
    com::makeGuid(0x21A92FAF, 0xE7D7, 0x4945, 0xAB, 0xEE, 0x4A, 0x90, 0x65, 0x92, 0x8C, 0xF9);
inline constexpr com::IID IID__clsModStampa =
    com::makeGuid(0xFAACA69F, 0x6B51, 0x409D, 0xB3, 0x89, 0x94, 0x29, 0xEB, 0x18, 0xAE, 0x5A);
inline constexpr char16_t ProgID_clsModStampa[] = u"Velmora.clsModStampa";
inline constexpr uint32_t TypeLibraryLocale = 0x409;

inline constexpr com::GUID GUID_Dimensioni_Foglio =
    com::makeGuid(0x54F79385, 0xE877, 0x435F, 0x88, 0xDF, 0x1F, 0xED, 0xAD, 0x42, 0x53, 0x6B);
inline constexpr com::GUID GUID_QualitaDiStampa =
    com::makeGuid(0xC978F6D3, 0x992E, 0x413D, 0xA9, 0x9E, 0x40, 0x07, 0x0B, 0xF6, 0xF0, 0xAF);
inline constexpr com::GUID GUID_TipoStampa =
    com::makeGuid(0xB8BC8114, 0x1912, 0x481C, 0xA1, 0x44, 0xB6, 0x8C, 0x64, 0x01, 0x9B, 0x94);
inline constexpr com::GUID GUID_OrientamentoDelFoglio =
    com::makeGuid(0xD0D90DF7, 0x4CA6, 0x47E2, 0x8D, 0x74, 0xA8, 0xFE, 0x6A, 0xA9, 0xE6, 0x3E);

enum Dimensioni_Foglio : int32_t {
    LetteraUsa = 1,
    LetteraRidotta = 2,
    Tabloid = 3,
    Ledger = 4,
    LegaleUSA = 5,
    Statement = 6,
    Executive = 7,
    a3 = 8,
    a4 = 9,
    A4Ridotto = 10,
    A5 = 11,
    B4 = 12,
    B5 = 13,
    Folio = 14,
    Quarto = 15,
    Nota = 18,
    Busta9 = 19,
    User = 256,
};

enum QualitàDiStampa : int32_t {
    Bozza = -1,
    BassaRisoluzione = -2,
    MediaRisoluzione = -3,
    AltaRisoluzione = -4,
};

enum TipoStampa : int32_t { Monocromatico = 1, Colori = 2 };

enum OrientamentoDelFoglio : int32_t { Verticale = 1, Orizzontale = 2 };

// The list a client hands to LoadComboPrinters: clear, add an item, the index
// of the last added item and the selected index (-1 for none).
inline constexpr com::IID IID_IListaStampanti =
    com::makeGuid(0x6D0F3A41, 0x8C2B, 0x4E57, 0x9A, 0x1E, 0x3B, 0x52, 0xC4, 0x7D, 0x90, 0x12);
class IListaStampanti : public IDispatch {
public:
    virtual HRESULT Clear() = 0;
    virtual HRESULT AddItem(BSTR* item) = 0;
    virtual HRESULT get_NewIndex(int32_t* result) = 0;
    virtual HRESULT put_ListIndex(int32_t* index) = 0;
    virtual HRESULT get_ListIndex(int32_t* result) = 0;

protected:
    ~IListaStampanti() = default;
};

// Entries in interface order after the seven of IUnknown and IDispatch. A
// property with two procedures has two entries, in the order it was declared.
// Arguments go by pointer; the values set into the five public data members
// and the window handles go by value. Results come in the last argument.
class _clsModStampa : public IDispatch {
public:
    virtual HRESULT get_OutputStampa(IDispatch** result) = 0;
    virtual HRESULT putref_OutputStampa(IDispatch* value) = 0;
    virtual HRESULT get_tipoObjModel(IDispatch** result) = 0;
    virtual HRESULT putref_tipoObjModel(IDispatch* value) = 0;
    virtual HRESULT get_ModifDoc(int16_t* result) = 0;
    virtual HRESULT put_ModifDoc(int16_t value) = 0;
    virtual HRESULT get_fc(float* result) = 0;
    virtual HRESULT put_fc(float value) = 0;
    virtual HRESULT get_errStampa(VARIANT_BOOL* result) = 0;
    virtual HRESULT put_errStampa(VARIANT_BOOL value) = 0;
    virtual HRESULT AggiungiPagina() = 0;
    virtual HRESULT AggiungiClasseComando(BSTR* TipoComando, BSTR* VarComand,
                                          VARIANT_BOOL* result) = 0;
    virtual HRESULT put_Anteprima(VARIANT_BOOL* value) = 0;
    virtual HRESULT put_SpaziaturaLinea(float* value) = 0;
    virtual HRESULT get_SpaziaturaLinea(float* result) = 0;
    virtual HRESULT put_PaperSize(Dimensioni_Foglio* value) = 0;
    virtual HRESULT get_Copies(int16_t* result) = 0;
    virtual HRESULT put_Copies(int16_t* value) = 0;
    virtual HRESULT put_NomeDocumento(BSTR* value) = 0;
    virtual HRESULT get_NomeDocumento(BSTR* result) = 0;
    virtual HRESULT put_nomedir(BSTR* value) = 0;
    virtual HRESULT get_ErroreStampa(VARIANT_BOOL* result) = 0;
    virtual HRESULT get_nomedir(BSTR* result) = 0;
    virtual HRESULT put_NomeSoftware(BSTR* value) = 0;
    virtual HRESULT get_NomeSoftware(BSTR* result) = 0;
    virtual HRESULT put_TipoDocumento(BSTR* value) = 0;
    virtual HRESULT get_TipoDocumento(BSTR* result) = 0;
    virtual HRESULT put_PrintQuality(QualitàDiStampa* value) = 0;
    virtual HRESULT put_Orientation(OrientamentoDelFoglio* value) = 0;
    virtual HRESULT get_FontCount(int16_t* result) = 0;
    virtual HRESULT get_Fonts(int16_t* iFont, BSTR* result) = 0;
    virtual HRESULT get_Page(int16_t* result) = 0;
    virtual HRESULT get_PagineTotAnteprima(int32_t* result) = 0;
    virtual HRESULT ShowPrinterProperties(int32_t ParentHWnd, BSTR* DeviceName,
                                          VARIANT_BOOL* result) = 0;
    virtual HRESULT ShowPrinterSetup(int32_t ParentHWnd, BSTR* DeviceName,
                                     VARIANT_BOOL* result) = 0;
    virtual HRESULT TextWidth(BSTR* sText, float* result) = 0;
    virtual HRESULT TextHeight(BSTR* sText, float* result) = 0;
    virtual HRESULT EndDoc() = 0;
    virtual HRESULT AvviaCreaModuli() = 0;
    virtual HRESULT NewPage() = 0;
    virtual HRESULT KillDoc() = 0;
    virtual HRESULT LoadComboPrinters(IDispatch** cmb) = 0;
    virtual HRESULT StampaTesto(BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT StampaRettangolo(BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT StampaImmagine(BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT stampaLinea(BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT stampacerchio(BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT StampaCodBarre(BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT StampaMemo(BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT Estrai_Valore(BSTR* Variabile, BSTR* Specifica, VARIANT* result) = 0;
    virtual HRESULT estraiRigaDescr(int16_t* nn, BSTR* descrizione, int16_t* nCar,
                                    BSTR* result) = 0;
    virtual HRESULT GetPrinterOffsets() = 0;
    virtual HRESULT SalvaModello() = 0;
    virtual HRESULT LeggiModello() = 0;
    virtual HRESULT stampaarco(BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT stampaPolilinea(BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT stampaSuperficie(BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT ComandoValido(BSTR* auxCom, VARIANT_BOOL* result) = 0;
    virtual HRESULT CaricaObjModel(BSTR* nomeOggetto, SAFEARRAY** CampiObject) = 0;
    virtual HRESULT StampaObjModel(BSTR* Oggetto, BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT StampaCampoColonna(BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT StampaCampo(BSTR* Oggetto, BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT StampaLineeCorpoDoc(BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT StampaRiepilogoIVA(BSTR* Specifica, BSTR* ImponImpost,
                                       VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT StampaIdCarcassa(BSTR* IdCarcassa, BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT esisteObj(BSTR* Tipo, VARIANT_BOOL* result) = 0;
    virtual HRESULT RimuoviComando(BSTR* Nome, BSTR* Stringa) = 0;
    virtual HRESULT set_tipoOggetto(BSTR* nomeOggetto) = 0;
    virtual HRESULT set_tipoOggetti(BSTR* nomeOggetto) = 0;
    virtual HRESULT RiempiListaDB() = 0;
    virtual HRESULT eseguiComandoModifica_su_SupRetCerch(BSTR* Tipo) = 0;
    virtual HRESULT eseguiComandoModifica_su_PolArcLin(BSTR* Tipo) = 0;
    virtual HRESULT eseguiComandoModifica_su_Testi(BSTR* Tipo) = 0;
    virtual HRESULT eseguiComandoModifica_su_TestiEstesi(BSTR* Tipo) = 0;
    virtual HRESULT eseguiComandoModifica_su_Immagini(BSTR* Tipo) = 0;
    virtual HRESULT eseguiComandoModifica_su_ObjModel(BSTR* Tipo) = 0;
    virtual HRESULT Aggiungi_ObjModel(BSTR* NomeObj, VARIANT* xx, VARIANT* yy) = 0;
    virtual HRESULT avviaModifica_oneObjModelDis(BSTR* NomeObj, BSTR* Specifica) = 0;
    virtual HRESULT selezOggetti(float* xo, float* yo, float* R) = 0;
    virtual HRESULT selezFin(float* x1, float* y1, float* x2, float* y2) = 0;
    virtual HRESULT selezInters(float* x1, float* y1, float* x2, float* y2) = 0;
    virtual HRESULT selezintersStira(float* x1, float* y1, float* x2, float* y2) = 0;
    virtual HRESULT AnnullaStatoComandi() = 0;
    virtual HRESULT StampaArrayEtichette(BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT Pic_VisualizzaOggetto(BSTR* Tipo, BSTR* Specifica, VARIANT_BOOL* TipoVis) = 0;
    virtual HRESULT put_PercText(float* value) = 0;
    virtual HRESULT get_PercText(float* result) = 0;
    virtual HRESULT StampaRigoDDTMac(BSTR* Specifica, VARIANT_BOOL* Attivo) = 0;
    virtual HRESULT ImpostaPagina_Modello(BSTR* nomefile) = 0;

protected:
    ~_clsModStampa() = default;
};

}  // namespace velmora
