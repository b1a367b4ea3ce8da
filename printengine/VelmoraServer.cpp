// The library's component entry points: registration in the per-user store,
// the class object of clsModStampa, and the unload answer.

#include <QApplication>
#include <QFileInfo>

#include <dlfcn.h>

#include <atomic>
#include <memory>

#include "Prompter.h"
#include "QtPrinterDialogs.h"
#include "QtPrompter.h"
#include "Registry.h"
#include "SettingsStore.h"
#include "clsModStampa.h"
#include "frmStampa.h"

using namespace com;

namespace {

std::atomic<long> blocchi{0};

QString percorsoLibreria() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&percorsoLibreria), &info) == 0 || !info.dli_fname)
        return QString();
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

// Services of a job created by a client: real dialogs when the client runs a
// widget application, console answers otherwise.
struct ServiziCondivisi {
    platform::QtPrompter qt;
    platform::ConsolePrompter console;
    velmora::QtPrinterDialogs dialogs;
};

ServiziCondivisi& servizi() {
    static ServiziCondivisi s;
    return s;
}

class Fabbrica final : public IClassFactory {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // The class object lives as long as the library; references only keep it loaded.
    ULONG AddRef() override { return static_cast<ULONG>(++blocchi); }
    ULONG Release() override { return static_cast<ULONG>(--blocchi); }

    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        velmora::clsModStampa::Servizi s;
        const bool finestre = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
        s.prompter = finestre ? static_cast<platform::Prompter*>(&servizi().qt)
                              : static_cast<platform::Prompter*>(&servizi().console);
        if (finestre) {
            s.dialogs = &servizi().dialogs;
            s.window = []() -> std::unique_ptr<velmora::PreviewWindow> {
                return std::make_unique<velmora::frmStampa>(
                    velmora::frmStampa::Servizi{&servizi().qt, &platform::userSettings(), nullptr});
            };
        }
        velmora::clsModStampa* job = nullptr;
        try {
            job = new velmora::clsModStampa(std::move(s));
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        HRESULT hr = job->QueryInterface(riid, ppv);
        job->Release();
        return hr;
    }
    HRESULT LockServer(int32_t lock) override {
        if (lock)
            ++blocchi;
        else
            --blocchi;
        return S_OK;
    }
};

Fabbrica fabbrica;

ClassRegistration registrazione() {
    ClassRegistration r;
    r.clsid = velmora::CLSID_clsModStampa;
    r.progId = QString::fromUtf16(velmora::ProgID_clsModStampa);
    r.libraryPath = percorsoLibreria();
    r.description = QStringLiteral("clsModStampa");
    r.libid = velmora::LIBID_Velmora;
    r.typeLibraryName = velmora::titoloLibreria();
    return r;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) HRESULT DllRegisterServer() {
    ClassRegistration r = registrazione();
    if (r.libraryPath.isEmpty()) return SELFREG_E_CLASS;
    return registry::registerClass(r) ? S_OK : SELFREG_E_CLASS;
}

extern "C" __attribute__((visibility("default"))) HRESULT DllUnregisterServer() {
    return registry::unregisterClass(velmora::CLSID_clsModStampa,
                                     QString::fromUtf16(velmora::ProgID_clsModStampa))
               ? S_OK
               : SELFREG_E_CLASS;
}

extern "C" __attribute__((visibility("default"))) HRESULT DllGetClassObject(REFCLSID clsid,
                                                                            REFIID riid,
                                                                            void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!(clsid == velmora::CLSID_clsModStampa)) return CLASS_E_CLASSNOTAVAILABLE;
    return fabbrica.QueryInterface(riid, ppv);
}

extern "C" __attribute__((visibility("default"))) HRESULT DllCanUnloadNow() {
    return (velmora::clsModStampa::oggettiVivi() == 0 && blocchi.load() == 0) ? S_OK : S_FALSE;
}
