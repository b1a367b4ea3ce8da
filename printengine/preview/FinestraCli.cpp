#include "FinestraCli.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

#include "Registry.h"
#include "_clsModStampa.h"

namespace velmora::anteprima {

namespace {
void err(const QString& s) {
    std::fprintf(stderr, "%s\n", s.toLocal8Bit().constData());
}
}  // namespace

int comandoFinestra(int argc, char** argv) {
    const bool design = argc > 1 && qstrcmp(argv[1], "design") == 0;
    if (design) {
        err(QStringLiteral("velmora: design non ancora disponibile"));
        return 1;
    }
    if (argc != 3 || argv[2][0] == '-') {
        err(QStringLiteral("Uso: velmora preview FILE"));
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        err(QStringLiteral("velmora: nessuno schermo disponibile per aprire la finestra"));
        return 1;
    }
    QApplication app(argc, argv);
    const QString file = QString::fromLocal8Bit(argv[2]);
    const QFileInfo fi(file);
    if (!fi.isFile() || !fi.isReadable()) {
        err(QStringLiteral("velmora: impossibile leggere il file \"%1\"").arg(file));
        return 1;
    }

    const QString libreria =
        QCoreApplication::applicationDirPath() + QStringLiteral("/libvelmora.so");
    com::IClassFactory* fabbrica = nullptr;
    if (com::getClassObjectFromLibrary(libreria, CLSID_clsModStampa, com::IID_IClassFactory,
                                       reinterpret_cast<void**>(&fabbrica)) < 0 ||
        !fabbrica) {
        err(QStringLiteral("velmora: impossibile caricare la libreria \"%1\"").arg(libreria));
        return 1;
    }
    _clsModStampa* job = nullptr;
    const com::HRESULT hr =
        fabbrica->CreateInstance(nullptr, IID__clsModStampa, reinterpret_cast<void**>(&job));
    fabbrica->Release();
    if (hr < 0 || !job) {
        err(QStringLiteral("velmora: impossibile creare il lavoro di stampa"));
        return 1;
    }
    // The document's pages as the library reads them; its own messages report
    // what it cannot read.
    com::VARIANT_BOOL si = com::VARIANT_TRUE;
    job->put_Anteprima(&si);
    com::BSTR software = com::toBstr(QStringLiteral("Velmora"));
    com::BSTR nome = com::toBstr(fi.absoluteFilePath());
    job->put_NomeSoftware(&software);
    job->put_NomeDocumento(&nome);
    com::SysFreeString(software);
    com::SysFreeString(nome);
    job->LeggiModello();
    const com::HRESULT aperta = job->AvviaCreaModuli();
    job->Release();
    return aperta < 0 ? 1 : 0;
}

}  // namespace velmora::anteprima
