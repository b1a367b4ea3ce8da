#include "ClsComandi.h"

#include <QSet>

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
    static const QSet<QString> set(nomiComandi().begin(), nomiComandi().end());
    return set.contains(nome);
}

}  // namespace velmora
