#pragma once

// A minimal component layer: the identities, status codes, strings, variants
// and activation that in-process components and their clients agree on.
// Written from what the print library's contract needs, nothing more.

#include <cstdint>
#include <string>

namespace com {

using HRESULT = int32_t;
using ULONG = uint32_t;
using DWORD = uint32_t;
using LONG = int32_t;
using VARIANT_BOOL = int16_t;
using OLECHAR = char16_t;
using BSTR = OLECHAR*;
using DISPID = int32_t;
using LCID = uint32_t;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_ABORT = static_cast<HRESULT>(0x80004004u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3u);
constexpr HRESULT CO_E_DLLNOTFOUND = static_cast<HRESULT>(0x8004F001u);
constexpr HRESULT CO_E_ERRORINDLL = static_cast<HRESULT>(0x800401F9u);
constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);
constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000Au);
constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
constexpr HRESULT DISP_E_BADINDEX = static_cast<HRESULT>(0x8002000Bu);
constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006u);

// A runtime error number of the original environment carried as a status code
// (facility "control", as such components report them to their callers).
constexpr HRESULT hresultFromErrorNumber(int n) {
    return static_cast<HRESULT>(0x800A0000u | (static_cast<uint32_t>(n) & 0xFFFFu));
}
constexpr int errorNumberFromHresult(HRESULT hr) {
    return ((static_cast<uint32_t>(hr) & 0xFFFF0000u) == 0x800A0000u)
               ? static_cast<int>(static_cast<uint32_t>(hr) & 0xFFFFu)
               : static_cast<int>(hr);
}

constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}

struct GUID {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    uint8_t Data4[8] = {};

    friend constexpr bool operator==(const GUID& a, const GUID& b) {
        if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
        for (int i = 0; i < 8; ++i)
            if (a.Data4[i] != b.Data4[i]) return false;
        return true;
    }
    bool isNull() const { return *this == GUID{}; }
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (braces optional); false on any other text.
bool guidFromString(const std::string& text, GUID* out);
// Upper-case registry form with braces.
std::string guidToString(const GUID& g);

// Compile-time literal for the identities that stand in headers.
constexpr GUID makeGuid(uint32_t d1, uint16_t d2, uint16_t d3, uint8_t a, uint8_t b, uint8_t c,
                        uint8_t d, uint8_t e, uint8_t f, uint8_t g, uint8_t h) {
    return GUID{d1, d2, d3, {a, b, c, d, e, f, g, h}};
}

inline constexpr IID IID_IUnknown =
    makeGuid(0x00000000, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
inline constexpr IID IID_IDispatch =
    makeGuid(0x00020400, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
inline constexpr IID IID_IClassFactory =
    makeGuid(0x00000001, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
inline constexpr IID IID_NULL{};

// Interfaces have no virtual destructor: their table holds exactly the
// entries declared, in order, and an object is released, never deleted.
class IUnknown {
public:
    virtual HRESULT QueryInterface(REFIID riid, void** ppv) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

struct DISPPARAMS;
struct EXCEPINFO;
struct VARIANT;

class IDispatch : public IUnknown {
public:
    virtual HRESULT GetTypeInfoCount(uint32_t* pctinfo) = 0;
    virtual HRESULT GetTypeInfo(uint32_t iTInfo, LCID lcid, void** ppTInfo) = 0;
    virtual HRESULT GetIDsOfNames(REFIID riid, OLECHAR** names, uint32_t count, LCID lcid,
                                  DISPID* ids) = 0;
    virtual HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, uint16_t flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO* excep, uint32_t* argErr) = 0;

protected:
    ~IDispatch() = default;
};

class IClassFactory : public IUnknown {
public:
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) = 0;
    virtual HRESULT LockServer(int32_t lock) = 0;

protected:
    ~IClassFactory() = default;
};

// Length-prefixed UTF-16 strings; a null BSTR is the empty string.
BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, uint32_t length);
void SysFreeString(BSTR s);
uint32_t SysStringLen(BSTR s);

enum VARTYPE : uint16_t {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_BOOL = 11,
    VT_UNKNOWN = 13,
    VT_ARRAY = 0x2000,
};

// One-dimensional array of strings, the only kind the contract passes.
struct SAFEARRAY {
    uint16_t cDims = 1;
    uint16_t features = 0;
    uint32_t cbElements = sizeof(BSTR);
    LONG lLbound = 0;
    uint32_t cElements = 0;
    BSTR* pvData = nullptr;
};

SAFEARRAY* SafeArrayCreateVector(uint16_t vt, LONG lowerBound, uint32_t count);
HRESULT SafeArrayDestroy(SAFEARRAY* psa);
HRESULT SafeArrayGetLBound(SAFEARRAY* psa, uint32_t dim, LONG* out);
HRESULT SafeArrayGetUBound(SAFEARRAY* psa, uint32_t dim, LONG* out);
// Copies: Put stores a copy of the string, Get returns a new string the caller frees.
HRESULT SafeArrayPutElement(SAFEARRAY* psa, const LONG* index, BSTR value);
HRESULT SafeArrayGetElement(SAFEARRAY* psa, const LONG* index, BSTR* out);

struct VARIANT {
    uint16_t vt = VT_EMPTY;
    uint16_t reserved[3] = {};
    union {
        int16_t iVal;
        int32_t lVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        SAFEARRAY* parray;
    };
    VARIANT() : dblVal(0) {}
};

void VariantInit(VARIANT* v);
HRESULT VariantClear(VARIANT* v);
HRESULT VariantCopy(VARIANT* dest, const VARIANT* src);

enum CLSCTX : DWORD { CLSCTX_INPROC_SERVER = 0x1, CLSCTX_ALL = 0x17 };

// Activation: the CLSID is looked up in the per-user registration store, and
// when it is not registered the given fallback library (by default the one
// named by setFallbackLibrary, else libvelmora.so beside the executable) is tried.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** ppv);
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, REFIID riid, void** ppv);
HRESULT CLSIDFromProgID(const OLECHAR* progId, CLSID* out);
// Unloads the libraries whose DllCanUnloadNow says yes.
void CoFreeUnusedLibraries();

}  // namespace com
