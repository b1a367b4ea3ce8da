#include "ClsComandi.h"

#include <cstring>

#include "Errore.h"

namespace velmora {

bool ClsComandi::VerticeSel(int32_t n) const {
    if (n < 1 || n > nvert()) throw Errore(ErrIndice);
    return vertici[static_cast<size_t>(n - 1)];
}

void ClsComandi::setVerticeSel(int32_t n, bool selezionato) {
    if (n < 1 || n > nvert()) throw Errore(ErrIndice);
    vertici[static_cast<size_t>(n - 1)] = selezionato;
}

const std::vector<QString>& nomiComandi() {
    static const std::vector<QString> nomi = {
        QStringLiteral("Linea"),
        QStringLiteral("Polilinea"),
        QStringLiteral("Cerchio"),
        QStringLiteral("Arco"),
        QStringLiteral("Testo"),
        QStringLiteral("Testo Esteso"),
        QStringLiteral("Superficie"),
        QStringLiteral("Rettangolo"),
        QStringLiteral("Immagine"),
        QStringLiteral("Data Stampa"),
        QStringLiteral("New Page"),
        QStringLiteral("Campo Azienda"),
        QStringLiteral("Campo Cliente"),
        QStringLiteral("Campo Pratica"),
        QStringLiteral("Campo Testata"),
        QStringLiteral("Campo Titolare"),
        QStringLiteral("Campo Fornitore"),
        QStringLiteral("Campo Prodotto Magazzino"),
        QStringLiteral("Campo Pagine"),
        QStringLiteral("Campo Documento"),
        QStringLiteral("Campo Colonna"),
        QStringLiteral("Campo Conti"),
        QStringLiteral("Campo Bilancio"),
        QStringLiteral("Campo Commessa"),
        QStringLiteral("Impostazioni Righe"),
        QStringLiteral("Array Etichette"),
        QStringLiteral("Riepilogo Imponibile IVA"),
        QStringLiteral("Riepilogo Imposta x AliquotaIVA"),
        QStringLiteral("Codice a Barre"),
        QStringLiteral("Rigo DDTMac"),
        QStringLiteral("IdCarcassa"),
        QStringLiteral("Campo Aziende di Provenienza"),
        QStringLiteral("Campo Colonna AttMac"),
        QStringLiteral("Campo Colonna RegVet"),
        QStringLiteral("Campo Richiedente Macellazione"),
        QStringLiteral("Campo Bovino"),
        QStringLiteral("Campo Equino"),
        QStringLiteral("Campo Partita Suini"),
        QStringLiteral("Campo Partita Ovi-Caprini"),
        QStringLiteral("Campo Partita Struzzi"),
        QStringLiteral("Campo Suini"),
        QStringLiteral("Campo Ovini"),
        QStringLiteral("Campo Ovi-Caprini"),
        QStringLiteral("Campo Struzzi"),
        QStringLiteral("Campo SottoConti"),
    };
    return nomi;
}

bool ComandoValido(const QString& nome) {
    // Called once per command read: the few names of the same length are compared.
    static const std::vector<std::vector<QString>> perLunghezza = [] {
        std::vector<std::vector<QString>> v;
        for (const QString& n : nomiComandi()) {
            if (static_cast<size_t>(n.size()) >= v.size()) v.resize(n.size() + 1);
            v[n.size()].push_back(n);
        }
        return v;
    }();
    const auto len = static_cast<size_t>(nome.size());
    if (len >= perLunghezza.size()) return false;
    for (const QString& n : perLunghezza[len])
        if (std::memcmp(n.utf16(), nome.utf16(), len * sizeof(char16_t)) == 0) return true;
    return false;
}

}  // namespace velmora
