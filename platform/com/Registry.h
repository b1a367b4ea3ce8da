#pragma once

// The per-user registration store of components: which library serves a
// class, and which class a programmatic name stands for.

#include <QString>

#include "Com.h"

namespace com {

struct ClassRegistration {
    CLSID clsid;
    QString progId;
    QString libraryPath;
    QString description;
    GUID libid;
    QString typeLibraryName;
};

namespace registry {

// INI file under $XDG_CONFIG_HOME that holds the registrations.
QString storePath();

bool registerClass(const ClassRegistration& reg);
bool unregisterClass(const CLSID& clsid, const QString& progId);
// Empty when the class is not registered.
QString libraryFor(const CLSID& clsid);
// False when the name is not registered.
bool clsidForProgId(const QString& progId, CLSID* out);

}  // namespace registry

// Library used when a class is not registered; empty means libvelmora.so
// beside the running executable.
void setFallbackLibrary(const QString& path);
QString fallbackLibrary();

// Loads (or reuses) a component library and asks it for a class object.
HRESULT getClassObjectFromLibrary(const QString& path, REFCLSID clsid, REFIID riid, void** ppv);

// Text helpers for callers that hold QString.
BSTR toBstr(const QString& s);
QString fromBstr(BSTR s);

}  // namespace com
