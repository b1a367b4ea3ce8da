#include "Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <dlfcn.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <string>

namespace com {

namespace {
QString key(const GUID& g) {
    return QString::fromStdString(guidToString(g));
}

QSettings openStore() {
    return QSettings(registry::storePath(), QSettings::IniFormat);
}

using GetClassObjectFn = HRESULT (*)(REFCLSID, REFIID, void**);
using CanUnloadFn = HRESULT (*)();

// The loader's table of open libraries, as the runtime of such components keeps one.
struct Loaded {
    void* handle = nullptr;
    GetClassObjectFn getClassObject = nullptr;
    CanUnloadFn canUnload = nullptr;
};
std::mutex& loaderMutex() {
    static std::mutex m;
    return m;
}
std::map<std::string, Loaded>& loaded() {
    static std::map<std::string, Loaded> table;
    return table;
}
QString& fallbackPath() {
    static QString path;
    return path;
}

QString executableDir() {
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return QDir::currentPath();
    buf[n] = 0;
    return QFileInfo(QString::fromLocal8Bit(buf)).absolutePath();
}
}  // namespace

namespace registry {

QString storePath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/ComponentRegistry.ini");
}

namespace {
// A copy that owns its characters: the caller's text may live in a library
// that is unloaded while the settings cache still holds the value.
QString owned(const QString& s) {
    return QString(s.constData(), s.size());
}
}  // namespace

bool registerClass(const ClassRegistration& reg) {
    QDir().mkpath(QFileInfo(storePath()).absolutePath());
    QSettings s = openStore();
    const QString c = QStringLiteral("CLSID/") + key(reg.clsid);
    // QSettings takes "/" as a group separator; the GUID text holds none.
    s.setValue(c + QStringLiteral("/Description"), owned(reg.description));
    s.setValue(c + QStringLiteral("/InprocServer32"), owned(reg.libraryPath));
    s.setValue(c + QStringLiteral("/ProgID"), owned(reg.progId));
    if (!reg.libid.isNull()) {
        s.setValue(c + QStringLiteral("/TypeLib"), key(reg.libid));
        s.setValue(QStringLiteral("TypeLib/") + key(reg.libid) + QStringLiteral("/Name"),
                   owned(reg.typeLibraryName));
    }
    if (!reg.progId.isEmpty())
        s.setValue(QStringLiteral("ProgID/") + reg.progId + QStringLiteral("/CLSID"),
                   key(reg.clsid));
    s.sync();
    return s.status() == QSettings::NoError;
}

bool unregisterClass(const CLSID& clsid, const QString& progId) {
    QSettings s = openStore();
    const QString c = QStringLiteral("CLSID/") + key(clsid);
    QString lib = s.value(c + QStringLiteral("/TypeLib")).toString();
    if (!lib.isEmpty()) s.remove(QStringLiteral("TypeLib/") + lib);
    s.remove(c);
    if (!progId.isEmpty()) s.remove(QStringLiteral("ProgID/") + progId);
    s.sync();
    return s.status() == QSettings::NoError;
}

QString libraryFor(const CLSID& clsid) {
    QSettings s = openStore();
    return s.value(QStringLiteral("CLSID/") + key(clsid) + QStringLiteral("/InprocServer32"))
        .toString();
}

bool clsidForProgId(const QString& progId, CLSID* out) {
    if (progId.isEmpty()) return false;
    QSettings s = openStore();
    QString text =
        s.value(QStringLiteral("ProgID/") + progId + QStringLiteral("/CLSID")).toString();
    return guidFromString(text.toStdString(), out);
}

}  // namespace registry

void setFallbackLibrary(const QString& path) {
    std::lock_guard lock(loaderMutex());
    fallbackPath() = path;
}

QString fallbackLibrary() {
    std::lock_guard lock(loaderMutex());
    if (!fallbackPath().isEmpty()) return fallbackPath();
    return executableDir() + QStringLiteral("/libvelmora.so");
}

HRESULT getClassObjectFromLibrary(const QString& path, REFCLSID clsid, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    std::lock_guard lock(loaderMutex());
    const std::string p = QFileInfo(path).absoluteFilePath().toStdString();
    auto it = loaded().find(p);
    if (it == loaded().end()) {
        if (!QFileInfo::exists(QString::fromStdString(p))) return CO_E_DLLNOTFOUND;
        // Kept mapped after its release: Qt may still hold texts that live in it.
        void* h = ::dlopen(p.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (!h) return CO_E_DLLNOTFOUND;
        Loaded l;
        l.handle = h;
        l.getClassObject = reinterpret_cast<GetClassObjectFn>(::dlsym(h, "DllGetClassObject"));
        l.canUnload = reinterpret_cast<CanUnloadFn>(::dlsym(h, "DllCanUnloadNow"));
        if (!l.getClassObject) {
            ::dlclose(h);
            return CO_E_ERRORINDLL;
        }
        it = loaded().emplace(p, l).first;
    }
    return it->second.getClassObject(clsid, riid, ppv);
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!(context & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
    QString lib = registry::libraryFor(clsid);
    HRESULT hr = REGDB_E_CLASSNOTREG;
    if (!lib.isEmpty()) hr = getClassObjectFromLibrary(lib, clsid, riid, ppv);
    // A registration left behind by a moved build falls back like a missing one.
    if (FAILED(hr) && hr != CLASS_E_CLASSNOTAVAILABLE) {
        HRESULT fb = getClassObjectFromLibrary(fallbackLibrary(), clsid, riid, ppv);
        if (SUCCEEDED(fb) || lib.isEmpty()) hr = fb == CO_E_DLLNOTFOUND ? REGDB_E_CLASSNOTREG : fb;
    }
    return hr;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    IClassFactory* factory = nullptr;
    HRESULT hr =
        CoGetClassObject(clsid, context, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    hr = factory->CreateInstance(nullptr, riid, ppv);
    factory->Release();
    return hr;
}

HRESULT CLSIDFromProgID(const OLECHAR* progId, CLSID* out) {
    if (!progId || !out) return E_INVALIDARG;
    QString name = QString::fromUtf16(progId);
    return registry::clsidForProgId(name, out) ? S_OK : CO_E_CLASSSTRING;
}

void CoFreeUnusedLibraries() {
    std::lock_guard lock(loaderMutex());
    for (auto it = loaded().begin(); it != loaded().end();) {
        if (it->second.canUnload && it->second.canUnload() == S_OK) {
            ::dlclose(it->second.handle);
            it = loaded().erase(it);
        } else {
            ++it;
        }
    }
}

BSTR toBstr(const QString& s) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(s.utf16()),
                             static_cast<uint32_t>(s.size()));
}

QString fromBstr(BSTR s) {
    if (!s) return QString();
    return QString::fromUtf16(s, static_cast<qsizetype>(SysStringLen(s)));
}

}  // namespace com
