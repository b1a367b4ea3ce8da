// Component face of the model-object and barcode commands.

#include <functional>

#include "Errore.h"
#include "Registry.h"
#include "StampaCampi.h"
#include "clsModStampa.h"

namespace velmora {

using namespace com;

namespace {

QString str(BSTR* b) {
    return b ? fromBstr(*b) : QString();
}

HRESULT esito(VARIANT_BOOL* Attivo, const std::function<void(bool)>& f) {
    if (!Attivo) return E_POINTER;
    try {
        f(*Attivo != 0);
        return S_OK;
    } catch (const Errore& e) {
        return hresultFromErrorNumber(e.numero());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace

HRESULT clsModStampa::StampaCodBarre(BSTR* s, VARIANT_BOOL* a) {
    return esito(a, [&](bool at) { campi::stampaCodBarre(*this, str(s), at); });
}
HRESULT clsModStampa::StampaObjModel(BSTR* o, BSTR* s, VARIANT_BOOL* a) {
    return esito(a, [&](bool at) { campi::stampaObjModel(*this, str(o), str(s), at); });
}
HRESULT clsModStampa::StampaCampoColonna(BSTR* s, VARIANT_BOOL* a) {
    return esito(a, [&](bool at) { campi::stampaCampoColonna(*this, str(s), at); });
}
HRESULT clsModStampa::StampaCampo(BSTR* o, BSTR* s, VARIANT_BOOL* a) {
    return esito(a, [&](bool at) { campi::stampaCampo(*this, str(o), str(s), at); });
}
HRESULT clsModStampa::StampaLineeCorpoDoc(BSTR* s, VARIANT_BOOL* a) {
    return esito(a, [&](bool at) { campi::stampaLineeCorpoDoc(*this, str(s), at); });
}
HRESULT clsModStampa::StampaRiepilogoIVA(BSTR* s, BSTR* t, VARIANT_BOOL* a) {
    const QString tipo = str(t);
    if (tipo != QLatin1String("Impon") && tipo != QLatin1String("Impost")) return E_INVALIDARG;
    return esito(a, [&](bool at) { campi::stampaRiepilogoIVA(*this, str(s), tipo, at); });
}
HRESULT clsModStampa::StampaIdCarcassa(BSTR* id, BSTR* s, VARIANT_BOOL* a) {
    return esito(a, [&](bool at) { campi::stampaIdCarcassa(*this, str(id), str(s), at); });
}
HRESULT clsModStampa::StampaRigoDDTMac(BSTR* s, VARIANT_BOOL* a) {
    return esito(a, [&](bool at) { campi::stampaRigoDDTMac(*this, str(s), at); });
}
HRESULT clsModStampa::StampaArrayEtichette(BSTR* s, VARIANT_BOOL* a) {
    return esito(a, [&](bool at) { campi::stampaArrayEtichette(*this, str(s), at); });
}

}  // namespace velmora
