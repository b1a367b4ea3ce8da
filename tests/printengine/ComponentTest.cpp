// The library as a client meets it: loaded at run time, registered, created by
// class identity and by name, driven through its interface and released.

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "Registry.h"
#include "_clsModStampa.h"

using namespace com;
using namespace velmora;

namespace {
const QString kLibrary = QStringLiteral(TESSARO_TEST_BIN_DIR "/libvelmora.so");

// The library's own entry points, loaded as any client loads them.
struct Library {
    void* handle =
        dlopen(kLibrary.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    HRESULT call(const char* name) {
        auto f = reinterpret_cast<HRESULT (*)()>(dlsym(handle, name));
        return f ? f() : E_FAIL;
    }
    ~Library() {
        if (handle) dlclose(handle);
    }
};

struct Bstr {
    BSTR b;
    explicit Bstr(const QString& s) : b(toBstr(s)) {}
    ~Bstr() { SysFreeString(b); }
};

_clsModStampa* create() {
    _clsModStampa* job = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_clsModStampa, nullptr, CLSCTX_INPROC_SERVER,
                                  IID__clsModStampa, reinterpret_cast<void**>(&job));
    EXPECT_EQ(hr, S_OK);
    return job;
}
}  // namespace

TEST(Component, RegistersAndUnregistersInTheUserStore) {
    Library lib;
    ASSERT_NE(lib.handle, nullptr) << dlerror();
    ASSERT_EQ(lib.call("DllRegisterServer"), S_OK);
    EXPECT_EQ(registry::libraryFor(CLSID_clsModStampa), QFileInfo(kLibrary).absoluteFilePath());
    CLSID byName;
    ASSERT_EQ(CLSIDFromProgID(ProgID_clsModStampa, &byName), S_OK);
    EXPECT_EQ(byName, CLSID_clsModStampa);

    ASSERT_EQ(lib.call("DllUnregisterServer"), S_OK);
    EXPECT_TRUE(registry::libraryFor(CLSID_clsModStampa).isEmpty());
    EXPECT_EQ(CLSIDFromProgID(ProgID_clsModStampa, &byName), CO_E_CLASSSTRING);
    // Only the four entry points are published.
    EXPECT_EQ(dlsym(lib.handle, "_ZN7velmora12clsModStampaC1Ev"), nullptr);
}

TEST(Component, CreatedDrivenAndReleasedAsAClientDoes) {
    {
        Library lib;
        ASSERT_EQ(lib.call("DllRegisterServer"), S_OK);
    }
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(ProgID_clsModStampa, &clsid), S_OK);
    _clsModStampa* job = nullptr;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__clsModStampa,
                               reinterpret_cast<void**>(&job)),
              S_OK);
    ASSERT_NE(job, nullptr);

    IUnknown* unk = nullptr;
    ASSERT_EQ(job->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk)), S_OK);
    void* none = nullptr;
    EXPECT_EQ(job->QueryInterface(IID_IClassFactory, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    unk->Release();

    VARIANT_BOOL yes = VARIANT_TRUE;
    ASSERT_EQ(job->put_Anteprima(&yes), S_OK);
    Bstr name(QStringLiteral("Relazione"));
    job->put_NomeDocumento(&name.b);
    Bstr line(QStringLiteral("|Testo=ANALISI DEI CARICHI|x1=10,00|y1=20,00|"));
    EXPECT_EQ(job->StampaTesto(&line.b, &yes), S_OK);
    EXPECT_EQ(job->stampaLinea(&line.b, &yes), S_OK);
    EXPECT_EQ(job->NewPage(), S_OK);
    EXPECT_EQ(job->StampaTesto(&line.b, &yes), S_OK);
    int16_t page = 0;
    job->get_Page(&page);
    EXPECT_EQ(page, 2);
    int32_t pages = 0;
    job->get_PagineTotAnteprima(&pages);
    EXPECT_EQ(pages, 1);

    Bstr key(QStringLiteral("x1="));
    VARIANT v;
    ASSERT_EQ(job->Estrai_Valore(&key.b, &line.b, &v), S_OK);
    ASSERT_EQ(v.vt, VT_BSTR);
    EXPECT_EQ(fromBstr(v.bstrVal), QStringLiteral("10,00"));
    VariantClear(&v);
    Bstr absent(QStringLiteral("Col="));
    ASSERT_EQ(job->Estrai_Valore(&absent.b, &line.b, &v), S_OK);
    EXPECT_EQ(v.vt, VT_EMPTY);

    Bstr lower(QStringLiteral("linea"));
    VARIANT_BOOL valid = VARIANT_TRUE;
    job->ComandoValido(&lower.b, &valid);
    EXPECT_EQ(valid, VARIANT_FALSE);

    // Measured in the surface's font, in millimetres.
    float w = 0;
    EXPECT_EQ(job->TextWidth(&line.b, &w), S_OK);
    EXPECT_GT(w, 0.0f);

    // The headless window opens and closes; the document then has two pages.
    EXPECT_EQ(job->EndDoc(), S_OK);
    job->get_PagineTotAnteprima(&pages);
    EXPECT_EQ(pages, 2);

    QTemporaryDir dir;
    Bstr file(dir.filePath("relazione.DSS"));
    job->put_NomeDocumento(&file.b);
    EXPECT_EQ(job->SalvaModello(), S_OK);
    QFile saved(dir.filePath("relazione.DSS"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().count("OGGETTO  : \r\n"), 4);

    BSTR got = nullptr;
    job->get_NomeDocumento(&got);
    EXPECT_EQ(fromBstr(got), dir.filePath("relazione.DSS"));
    SysFreeString(got);

    EXPECT_EQ(job->Release(), 0u);
    CoFreeUnusedLibraries();
}

TEST(Component, DirectJobBehaviour) {
    _clsModStampa* job = create();
    ASSERT_NE(job, nullptr);
    Bstr spec(QStringLiteral("|x1=1|"));
    Bstr kind(QStringLiteral("Linea"));
    VARIANT_BOOL recorded = VARIANT_TRUE;
    EXPECT_EQ(job->AggiungiClasseComando(&kind.b, &spec.b, &recorded), S_OK);
    EXPECT_EQ(recorded, VARIANT_FALSE);
    EXPECT_TRUE(FAILED(job->AvviaCreaModuli()));
    VARIANT_BOOL yes = VARIANT_TRUE;
    // A text without a size draws nothing, so no document is started.
    EXPECT_EQ(job->StampaTesto(&spec.b, &yes), S_OK);
    Bstr other(QStringLiteral("Altro"));
    EXPECT_EQ(job->StampaRiepilogoIVA(&spec.b, &other.b, &yes), E_INVALIDARG);
    job->Release();
}

TEST(Component, UnloadAnswerFollowsObjectsAndLocks) {
    Library lib;
    auto getClassObject = reinterpret_cast<HRESULT (*)(REFCLSID, REFIID, void**)>(
        dlsym(lib.handle, "DllGetClassObject"));
    ASSERT_NE(getClassObject, nullptr);
    EXPECT_EQ(lib.call("DllCanUnloadNow"), S_OK);

    IClassFactory* factory = nullptr;
    EXPECT_EQ(
        getClassObject(IID__clsModStampa, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
        CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(
        getClassObject(CLSID_clsModStampa, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
        S_OK);
    EXPECT_EQ(lib.call("DllCanUnloadNow"), S_FALSE);  // the class object is held
    _clsModStampa* a = nullptr;
    _clsModStampa* b = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID__clsModStampa, reinterpret_cast<void**>(&a)),
              S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID__clsModStampa, reinterpret_cast<void**>(&b)),
              S_OK);
    IUnknown* outer = reinterpret_cast<IUnknown*>(a);
    void* agg = nullptr;
    EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &agg), CLASS_E_NOAGGREGATION);
    factory->LockServer(1);
    factory->Release();
    a->AddRef();
    EXPECT_EQ(a->Release(), 1u);
    EXPECT_EQ(a->Release(), 0u);
    EXPECT_EQ(lib.call("DllCanUnloadNow"), S_FALSE);  // b alive, server locked
    b->Release();
    EXPECT_EQ(lib.call("DllCanUnloadNow"), S_FALSE);  // still locked
    getClassObject(CLSID_clsModStampa, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    factory->LockServer(0);
    factory->Release();
    EXPECT_EQ(lib.call("DllCanUnloadNow"), S_OK);
}

TEST(Component, ActivationFallsBackToTheLibraryBesideTheProgram) {
    // A registration left by a moved build points nowhere.
    ClassRegistration stale;
    stale.clsid = CLSID_clsModStampa;
    stale.progId = QString::fromUtf16(ProgID_clsModStampa);
    stale.libraryPath = QStringLiteral("/nonexistent/libvelmora.so");
    ASSERT_TRUE(registry::registerClass(stale));
    setFallbackLibrary(kLibrary);
    _clsModStampa* job = create();
    ASSERT_NE(job, nullptr);
    job->Release();

    // Nothing registered, no library: the class is not registered.
    registry::unregisterClass(CLSID_clsModStampa, stale.progId);
    setFallbackLibrary(QStringLiteral("/nonexistent/other.so"));
    void* p = nullptr;
    EXPECT_EQ(
        CoCreateInstance(CLSID_clsModStampa, nullptr, CLSCTX_INPROC_SERVER, IID__clsModStampa, &p),
        REGDB_E_CLASSNOTREG);
    EXPECT_EQ(p, nullptr);
    setFallbackLibrary(QString());
    // The default fallback is the library beside this program (both land in bin/).
    job = create();
    ASSERT_NE(job, nullptr);
    job->Release();
}

TEST(ComponentTypes, StringsVariantsAndArrays) {
    BSTR s = SysAllocString(u"perché");
    EXPECT_EQ(SysStringLen(s), 6u);
    EXPECT_EQ(fromBstr(s), QStringLiteral("perché"));
    BSTR withNul = SysAllocStringLen(u"a\0b", 3);
    EXPECT_EQ(SysStringLen(withNul), 3u);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(fromBstr(nullptr), QString());
    SysFreeString(nullptr);

    VARIANT a;
    a.vt = VT_BSTR;
    a.bstrVal = s;
    VARIANT b;
    ASSERT_EQ(VariantCopy(&b, &a), S_OK);
    EXPECT_NE(b.bstrVal, a.bstrVal);
    EXPECT_EQ(fromBstr(b.bstrVal), QStringLiteral("perché"));
    VariantClear(&a);
    VariantClear(&b);
    EXPECT_EQ(b.vt, VT_EMPTY);

    SAFEARRAY* arr = SafeArrayCreateVector(VT_BSTR, 1, 3);
    ASSERT_NE(arr, nullptr);
    LONG lo = 0, hi = 0;
    SafeArrayGetLBound(arr, 1, &lo);
    SafeArrayGetUBound(arr, 1, &hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 3);
    LONG i = 2;
    EXPECT_EQ(SafeArrayPutElement(arr, &i, withNul), S_OK);
    BSTR back = nullptr;
    EXPECT_EQ(SafeArrayGetElement(arr, &i, &back), S_OK);
    EXPECT_EQ(SysStringLen(back), 3u);
    SysFreeString(back);
    LONG out = 4;
    EXPECT_EQ(SafeArrayPutElement(arr, &out, withNul), DISP_E_BADINDEX);
    out = 0;
    EXPECT_EQ(SafeArrayGetElement(arr, &out, &back), DISP_E_BADINDEX);
    EXPECT_EQ(SafeArrayCreateVector(VT_I4, 0, 1), nullptr);
    VARIANT va;
    va.vt = VT_ARRAY | VT_BSTR;
    va.parray = arr;
    VARIANT vb;
    ASSERT_EQ(VariantCopy(&vb, &va), S_OK);
    EXPECT_NE(vb.parray, arr);
    EXPECT_EQ(vb.parray->cElements, 3u);
    VariantClear(&va);
    VariantClear(&vb);
    SysFreeString(withNul);
}

TEST(ComponentTypes, GuidText) {
    GUID g;
    ASSERT_TRUE(guidFromString("{21a92faf-e7d7-4945-abee-4a9065928cf9}", &g));
    EXPECT_EQ(g, CLSID_clsModStampa);
    EXPECT_TRUE(guidFromString("21A92FAF-E7D7-4945-ABEE-4A9065928CF9", &g));
    for (const char* bad :
         {"", "{21A92FAF-E7D7-4945-ABEE-4A9065928CF}", "{21A92FAF_E7D7-4945-ABEE-4A9065928CF9}",
          "{21A92FAF-E7D7-4945-ABEE-4A9065928CFG}", "{21A92FAF-E7D7-4945-ABEE-4A9065928CF9"})
        EXPECT_FALSE(guidFromString(bad, &g)) << bad;
    EXPECT_EQ(errorNumberFromHresult(hresultFromErrorNumber(91)), 91);
    EXPECT_TRUE(FAILED(hresultFromErrorNumber(91)));
}
