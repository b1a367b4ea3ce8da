#include "Com.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace com {

namespace {
int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool readHex(const std::string& s, size_t pos, int digits, uint64_t* out) {
    uint64_t v = 0;
    for (int i = 0; i < digits; ++i) {
        int h = hexValue(s[pos + i]);
        if (h < 0) return false;
        v = (v << 4) | static_cast<uint64_t>(h);
    }
    *out = v;
    return true;
}
}  // namespace

bool guidFromString(const std::string& text, GUID* out) {
    std::string s = text;
    if (s.size() == 38 && s.front() == '{' && s.back() == '}') s = s.substr(1, 36);
    if (s.size() != 36 || s[8] != '-' || s[13] != '-' || s[18] != '-' || s[23] != '-') return false;
    GUID g;
    uint64_t v = 0;
    if (!readHex(s, 0, 8, &v)) return false;
    g.Data1 = static_cast<uint32_t>(v);
    if (!readHex(s, 9, 4, &v)) return false;
    g.Data2 = static_cast<uint16_t>(v);
    if (!readHex(s, 14, 4, &v)) return false;
    g.Data3 = static_cast<uint16_t>(v);
    const size_t bytePos[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (int i = 0; i < 8; ++i) {
        if (!readHex(s, bytePos[i], 2, &v)) return false;
        g.Data4[i] = static_cast<uint8_t>(v);
    }
    if (out) *out = g;
    return true;
}

std::string guidToString(const GUID& g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1,
                  g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4],
                  g.Data4[5], g.Data4[6], g.Data4[7]);
    return buf;
}

// A BSTR points just after a 32-bit byte count and ends with a null character.
BSTR SysAllocStringLen(const OLECHAR* text, uint32_t length) {
    if (length > (std::numeric_limits<uint32_t>::max() - 8) / 2) return nullptr;
    auto* block = static_cast<char*>(std::malloc(4 + (static_cast<size_t>(length) + 1) * 2));
    if (!block) return nullptr;
    uint32_t bytes = length * 2;
    std::memcpy(block, &bytes, 4);
    auto* s = reinterpret_cast<OLECHAR*>(block + 4);
    if (text && length)
        std::memcpy(s, text, static_cast<size_t>(length) * 2);
    else if (length)
        std::memset(s, 0, static_cast<size_t>(length) * 2);
    s[length] = 0;
    return s;
}

BSTR SysAllocString(const OLECHAR* text) {
    if (!text) return nullptr;
    uint32_t n = 0;
    while (text[n]) ++n;
    return SysAllocStringLen(text, n);
}

void SysFreeString(BSTR s) {
    if (s) std::free(reinterpret_cast<char*>(s) - 4);
}

uint32_t SysStringLen(BSTR s) {
    if (!s) return 0;
    uint32_t bytes;
    std::memcpy(&bytes, reinterpret_cast<char*>(s) - 4, 4);
    return bytes / 2;
}

SAFEARRAY* SafeArrayCreateVector(uint16_t vt, LONG lowerBound, uint32_t count) {
    if (vt != VT_BSTR) return nullptr;
    auto* a = new (std::nothrow) SAFEARRAY;
    if (!a) return nullptr;
    a->lLbound = lowerBound;
    a->cElements = count;
    a->pvData = count ? new (std::nothrow) BSTR[count]() : nullptr;
    if (count && !a->pvData) {
        delete a;
        return nullptr;
    }
    return a;
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa) {
    if (!psa) return S_OK;
    for (uint32_t i = 0; i < psa->cElements; ++i) SysFreeString(psa->pvData[i]);
    delete[] psa->pvData;
    delete psa;
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, uint32_t dim, LONG* out) {
    if (!psa || !out) return E_INVALIDARG;
    if (dim != 1) return DISP_E_BADINDEX;
    *out = psa->lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, uint32_t dim, LONG* out) {
    if (!psa || !out) return E_INVALIDARG;
    if (dim != 1) return DISP_E_BADINDEX;
    *out = static_cast<LONG>(static_cast<int64_t>(psa->lLbound) + psa->cElements - 1);
    return S_OK;
}

namespace {
bool slot(SAFEARRAY* psa, const LONG* index, uint32_t* pos) {
    if (!psa || !index) return false;
    int64_t p = static_cast<int64_t>(*index) - psa->lLbound;
    if (p < 0 || p >= static_cast<int64_t>(psa->cElements)) return false;
    *pos = static_cast<uint32_t>(p);
    return true;
}
}  // namespace

HRESULT SafeArrayPutElement(SAFEARRAY* psa, const LONG* index, BSTR value) {
    uint32_t p;
    if (!slot(psa, index, &p)) return DISP_E_BADINDEX;
    BSTR copy = value ? SysAllocStringLen(value, SysStringLen(value)) : nullptr;
    if (value && !copy) return E_OUTOFMEMORY;
    SysFreeString(psa->pvData[p]);
    psa->pvData[p] = copy;
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* psa, const LONG* index, BSTR* out) {
    uint32_t p;
    if (!out) return E_INVALIDARG;
    if (!slot(psa, index, &p)) return DISP_E_BADINDEX;
    BSTR v = psa->pvData[p];
    *out = v ? SysAllocStringLen(v, SysStringLen(v)) : nullptr;
    return S_OK;
}

void VariantInit(VARIANT* v) {
    if (!v) return;
    v->vt = VT_EMPTY;
    v->dblVal = 0;
}

HRESULT VariantClear(VARIANT* v) {
    if (!v) return E_INVALIDARG;
    switch (v->vt) {
        case VT_BSTR:
            SysFreeString(v->bstrVal);
            break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (v->punkVal) v->punkVal->Release();
            break;
        case VT_ARRAY | VT_BSTR:
            SafeArrayDestroy(v->parray);
            break;
        default:
            break;
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src) {
    if (!dest || !src) return E_INVALIDARG;
    if (dest == src) return S_OK;
    VARIANT tmp;
    tmp.vt = src->vt;
    tmp.dblVal = src->dblVal;
    switch (src->vt) {
        case VT_BSTR:
            tmp.bstrVal = src->bstrVal ? SysAllocStringLen(src->bstrVal, SysStringLen(src->bstrVal))
                                       : nullptr;
            if (src->bstrVal && !tmp.bstrVal) return E_OUTOFMEMORY;
            break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            tmp.punkVal = src->punkVal;
            if (tmp.punkVal) tmp.punkVal->AddRef();
            break;
        case VT_ARRAY | VT_BSTR: {
            SAFEARRAY* a = src->parray;
            SAFEARRAY* c = a ? SafeArrayCreateVector(VT_BSTR, a->lLbound, a->cElements) : nullptr;
            if (a && !c) return E_OUTOFMEMORY;
            for (uint32_t i = 0; c && i < a->cElements; ++i) {
                LONG idx = static_cast<LONG>(a->lLbound + static_cast<LONG>(i));
                SafeArrayPutElement(c, &idx, a->pvData[i]);
            }
            tmp.parray = c;
            break;
        }
        default:
            break;
    }
    VariantClear(dest);
    *dest = tmp;
    return S_OK;
}

}  // namespace com
