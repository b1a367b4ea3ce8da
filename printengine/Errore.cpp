#include "Errore.h"

namespace velmora {

Errore::Errore(int numero, QString descrizione)
    : num(numero), descr(descrizione.isEmpty() ? descrizioneErrore(numero) : descrizione) {}

QString descrizioneErrore(int numero) {
    switch (numero) {
        case 3:
            return QStringLiteral("Return senza GoSub");
        case 5:
            return QStringLiteral("Chiamata di routine o argomento non validi");
        case 6:
            return QStringLiteral("Overflow");
        case 7:
            return QStringLiteral("Memoria esaurita");
        case 9:
            return QStringLiteral("Indice non incluso nell'intervallo");
        case 11:
            return QStringLiteral("Divisione per zero");
        case 13:
            return QStringLiteral("Tipo non corrispondente");
        case 52:
            return QStringLiteral("Nome o numero di file non valido");
        case 53:
            return QStringLiteral("Impossibile trovare il file");
        case 55:
            return QStringLiteral("File già aperto");
        case 57:
            return QStringLiteral("Errore di I/O su periferica");
        case 61:
            return QStringLiteral("Disco pieno");
        case 62:
            return QStringLiteral("Input oltre la fine del file");
        case 70:
            return QStringLiteral("Autorizzazione negata");
        case 75:
            return QStringLiteral("Errore di accesso al percorso/file");
        case 76:
            return QStringLiteral("Impossibile trovare il percorso");
        case 91:
            return QStringLiteral("Variabile oggetto o variabile del blocco With non impostata");
        case 380:
            return QStringLiteral("Valore della proprietà non valido");
        case 438:
            return QStringLiteral("Proprietà o metodo non supportati dall'oggetto");
        case 445:
            return QStringLiteral("L'oggetto non supporta questa azione");
        case 482:
            return QStringLiteral("Errore della stampante");
        case 484:
            return QStringLiteral("Problema nel caricamento del driver di stampa");
        default:
            return QStringLiteral("Errore definito dall'applicazione o dall'oggetto");
    }
}

}  // namespace velmora
