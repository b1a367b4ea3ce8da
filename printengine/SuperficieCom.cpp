// OutputStampa as a component: the surface handed out by reference, and taken
// back only while it is still one the job can draw on.

#include <atomic>

#include "clsModStampa.h"

namespace velmora {

namespace {

using namespace com;

constexpr IID IID_SuperficieStampa =
    makeGuid(0x3B9D6E20, 0x5A47, 0x4C1B, 0x8F, 0x02, 0x61, 0xD4, 0xA7, 0x3E, 0x9C, 0x85);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);

class OggettoSuperficie final : public IDispatch {
public:
    explicit OggettoSuperficie(platform::Surface* s) : superficie(s) {}

    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_SuperficieStampa) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++riferimenti; }
    ULONG Release() override {
        const ULONG n = --riferimenti;
        if (n == 0) delete this;
        return n;
    }
    HRESULT GetTypeInfoCount(uint32_t* n) override {
        if (!n) return E_POINTER;
        *n = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(uint32_t, LCID, void**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, OLECHAR**, uint32_t, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID, REFIID, LCID, uint16_t, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                   uint32_t*) override {
        return DISP_E_MEMBERNOTFOUND;
    }

    platform::Surface* const superficie;

private:
    ~OggettoSuperficie() = default;
    std::atomic<ULONG> riferimenti{1};
};

}  // namespace

HRESULT clsModStampa::get_OutputStampa(IDispatch** result) {
    if (!result) return E_POINTER;
    *result = OutputStampa ? new OggettoSuperficie(OutputStampa) : nullptr;
    return S_OK;
}

HRESULT clsModStampa::putref_OutputStampa(IDispatch* value) {
    if (!value) return E_INVALIDARG;
    OggettoSuperficie* o = nullptr;
    if (FAILED(value->QueryInterface(IID_SuperficieStampa, reinterpret_cast<void**>(&o))) || !o)
        return E_INVALIDARG;
    platform::Surface* s = o->superficie;
    o->Release();
    // A page picture lives with its window: only the printer and the picture
    // shown now are surfaces still there to draw on.
    if (s != &superficieStampante() && s != condiviso.PicPrinter) return E_INVALIDARG;
    OutputStampa = s;
    return S_OK;
}

}  // namespace velmora
